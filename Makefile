# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NATIVE := build/native
WIN32  := build/win32
WIN64  := build/win64
ASAN   := build/asan
BENCH  := build/bench

PREFIX ?= /usr/local

.PHONY: all deps native asan win32 win64 run test test-native test-asan test-win32-exe test-wine dist test-dist \
        install bench fuzz soak clean

all: native win32

deps:
	@bash tools/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

# The same engine, CLI and unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer: a finding stops its test (no recovery).
asan: deps
	cmake -S . -B $(ASAN) -DHORO_SANITIZE=ON >/dev/null
	cmake --build $(ASAN) -j $(JOBS)

win32: deps
	cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	cmake --build $(WIN32) -j $(JOBS)

# Same sources for x86-64 Windows: what the Wine tests run where the 32-bit
# program cannot run, and the other side of their cross-check of both builds.
win64: deps
	cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

run: native win32
	@bash tools/run.sh

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

# The 32-bit program's headers, imports and resources, checked without
# running it (the Wine tests run it, where the i386 route or 32-bit code is
# available).
test-win32-exe: win32
	@python3 tools/check_win32_exe.py i686-w64-mingw32-objdump $(WIN32)/Horomap.exe

test-wine: win32
	@bash tests/wine/run.sh

# One long randomized session of the Wine test test_session: SEED (default:
# the clock, printed first) and STEPS.  A failed step prints the steps to
# replay it; with GO_ON=1 (the default here) the session goes on after it.
STEPS ?= 2000
GO_ON ?= 1
soak:
	@seed="$(SEED)"; [ -n "$$seed" ] || seed=$$(date +%s); \
	echo "soak: seed $$seed, $(STEPS) steps"; \
	WINE_TEST=test_session HORO_SESSION_SEED=$$seed HORO_SESSION_STEPS=$(STEPS) HORO_SESSION_GO_ON=$(GO_ON) \
	  TEST_TIMEOUT=$$(( $(STEPS) * 6 + 600 )) bash tests/wine/run.sh

# What a user receives, into dist/: the installer and the portable zip of
# the 32-bit program, the Debian package of horomira (tools/make_dist.sh).
dist: native win32
	@bash tools/make_dist.sh

# The packages are opened and checked: the program inside them, its version
# resource, the Debian package installed into a scratch root, its manual
# page and completion (the installer itself runs in the Wine tests).
test-dist: dist
	@bash tools/check_dist.sh

# horomira, its manual page and its bash completion under PREFIX (DESTDIR
# is honoured).
install: native
	DESTDIR="$(DESTDIR)" cmake --install $(NATIVE) --prefix "$(PREFIX)" --strip

test: test-native test-asan test-win32-exe test-wine test-dist

# Speed of the ephemeris hot paths and its accuracy against Swiss Ephemeris
# (a reference used only here); speed of the chart view's drawing.
bench:
	@bash tools/install-bench-deps.sh
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DHORO_BENCH=ON >/dev/null
	cmake --build $(BENCH) -j $(JOBS) --target horomira_bench horomira_accuracy horomira_chart_bench
	cmake --build $(BENCH) -j $(JOBS) --target horomira_view_bench
	$(BENCH)/bench/horomira_bench
	$(BENCH)/bench/horomira_accuracy
	$(BENCH)/bench/horomira_chart_bench
	$(BENCH)/bench/horomira_view_bench

# libFuzzer run over the stored files (.bd5, settings); FUZZ_TIME seconds
# (default 600), FUZZ_MERGE=1 minimizes the findings into tests/fuzz/corpus.
fuzz:
	@bash tools/install-deps.sh fuzz
	@bash tools/fuzz.sh

clean:
	rm -rf build dist
