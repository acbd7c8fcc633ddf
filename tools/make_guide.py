#!/usr/bin/env python3
"""The Japanese user's guide as a page of its own, for the zip and the installer.

    make_guide.py README.md OUT_DIR VERSION

Takes the part of README.md between the lines "<!-- guide-ja -->" and
"<!-- /guide-ja -->", writes it as OUT_DIR/guide-ja.html (UTF-8, CRLF) and
copies the pictures it shows (paths in the source tree such as
docs/first-start.png) below OUT_DIR under the same paths, so that the page
shows them from its own folder.

The guide is written in the plain Markdown that this page needs, and this
script reads just that: headings, paragraphs, lists ("- " and "1. ", their
lines continued by indented lines), tables, pictures, **bold**, `code` and
[links](...).  Lines of one paragraph are joined with a blank only between
two ASCII characters.  Anything else stops the script with the line it cannot
read, so that the page never shows Markdown as text.
"""
import html
import os
import re
import shutil
import sys

BEGIN, END = "<!-- guide-ja -->", "<!-- /guide-ja -->"

PAGE = """<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<title>{title}</title>
<style>
body {{ font-family: "Meiryo", "MS PGothic", "IPAPGothic", sans-serif; max-width: 52em; margin: 2em auto;
       padding: 0 1em; line-height: 1.7; color: #222; }}
img {{ max-width: 100%; border: 1px solid #ccc; }}
code {{ font-family: "MS Gothic", "IPAGothic", monospace; background: #f4f4f4; padding: 0 0.2em; }}
table {{ border-collapse: collapse; }}
th, td {{ border: 1px solid #bbb; padding: 0.2em 0.6em; vertical-align: top; }}
</style>
</head>
<body>
{body}
<hr>
<p>Horomira {version}</p>
</body>
</html>
"""


class GuideError(Exception):
    pass


def inline(text):
    """Markdown of one paragraph's text as HTML."""
    parts = re.split(r"(`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) >= 2:
            out.append("<code>" + html.escape(part[1:-1]) + "</code>")
            continue
        s = html.escape(part, quote=False)
        s = re.sub(r"!\[([^\]]*)\]\(([^)\s]+)\)",
                   lambda m: '<img src="%s" alt="%s">' % (html.escape(m.group(2)), html.escape(m.group(1))), s)
        s = re.sub(r"\[([^\]]+)\]\(([^)\s]+)\)", lambda m: '<a href="%s">%s</a>' % (m.group(2), m.group(1)), s)
        s = re.sub(r"\*\*(.+?)\*\*", r"<strong>\1</strong>", s)
        if re.search(r"[*_]{2}|\]\(|^#", s):
            raise GuideError("Markdown left in the text: " + part)
        out.append(s)
    return "".join(out)


def join_lines(lines):
    """The lines of one paragraph as one text, joined by a blank only between
    two ASCII characters (Japanese runs on without one)."""
    text = ""
    for line in lines:
        line = line.strip()
        if text and ord(text[-1]) < 0x80 and ord(line[0]) < 0x80:
            text += " "
        text += line
    return text


def convert(markdown):
    lines = markdown.split("\n")
    out = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip() or line.startswith("<!--"):
            i += 1
            continue
        m = re.match(r"^(#{1,6}) (.+)$", line)
        if m:
            level = len(m.group(1))
            out.append("<h%d>%s</h%d>" % (level, inline(m.group(2)), level))
            i += 1
            continue
        if line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append([c.strip() for c in lines[i].strip().strip("|").split("|")])
                i += 1
            if len(rows) < 2 or not all(re.match(r"^:?-+:?$", c) for c in rows[1]):
                raise GuideError("a table needs a header and a separator row: " + str(rows[:2]))
            head = "".join("<th>%s</th>" % inline(c) for c in rows[0])
            body = "".join("<tr>%s</tr>" % "".join("<td>%s</td>" % inline(c) for c in r) for r in rows[2:])
            out.append("<table>\n<tr>%s</tr>\n%s\n</table>" % (head, body))
            continue
        m = re.match(r"^(- |\d+\. )", line)
        if m:
            ordered = m.group(1) != "- "
            items = []
            while i < len(lines) and re.match(r"^(- |\d+\. )", lines[i]):
                marker = re.match(r"^(- |\d+\. )", lines[i]).group(1)
                if (marker != "- ") != ordered:
                    raise GuideError("a list mixes '- ' and numbers: " + lines[i])
                item = [lines[i][len(marker):]]
                i += 1
                while i < len(lines) and lines[i].startswith(" " * len(marker)) and lines[i].strip():
                    item.append(lines[i])
                    i += 1
                items.append("<li>%s</li>" % inline(join_lines(item)))
            tag = "ol" if ordered else "ul"
            out.append("<%s>\n%s\n</%s>" % (tag, "\n".join(items), tag))
            continue
        if line.startswith((" ", ">", "```", "* ", "+ ")):
            raise GuideError("not read by this script: " + line)
        paragraph = []
        while i < len(lines) and lines[i].strip() and not re.match(r"^(#|\||- |\d+\. |<!--)", lines[i]):
            paragraph.append(lines[i])
            i += 1
        out.append("<p>%s</p>" % inline(join_lines(paragraph)))
    return "\n".join(out)


def guide_text(readme):
    if readme.count(BEGIN) != 1 or readme.count(END) != 1:
        raise GuideError("README.md needs exactly one %s ... %s" % (BEGIN, END))
    text = readme.split(BEGIN, 1)[1].split(END, 1)[0].strip("\n")
    # The guide's headings are one level below the README's title; on its
    # own page they move one level up.
    return re.sub(r"^#(#+) ", r"\1 ", text, flags=re.M)


def main():
    readme_path, out_dir, version = sys.argv[1], sys.argv[2], sys.argv[3]
    root = os.path.dirname(os.path.abspath(readme_path))
    try:
        with open(readme_path, encoding="utf-8") as f:
            text = guide_text(f.read())
        body = convert(text)
    except GuideError as e:
        sys.exit("make_guide: " + str(e))
    title = re.search(r"^# (.+)$", text, flags=re.M)
    os.makedirs(out_dir, exist_ok=True)
    for src in re.findall(r'<img src="([^"]+)"', body):
        if re.match(r"^[a-z]+:", src) or src.startswith("/") or ".." in src:
            sys.exit("make_guide: the guide may show only pictures of the source tree: " + src)
        target = os.path.join(out_dir, src)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(os.path.join(root, src), target)
    page = PAGE.format(title=html.escape(title.group(1) if title else "Horomira"), body=body, version=version)
    with open(os.path.join(out_dir, "guide-ja.html"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
