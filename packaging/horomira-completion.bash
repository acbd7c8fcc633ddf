# bash completion for horomira: the commands, the options of each command
# and the words of `data`, all read from horomira's own help so that they
# follow the program; place names from `horomira places`, zone names from
# `horomira zones`; file names for the rest (birth-data files for `data`,
# pictures after --svg).

_horomira() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} cli=$1
  COMPREPLY=()
  if [ "$COMP_CWORD" -eq 1 ]; then
    local commands
    commands=$("$cli" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  local command=${COMP_WORDS[1]}
  case $prev in
    --svg)
      COMPREPLY=($(compgen -f -X '!*.svg' -- "$cur") $(compgen -d -- "$cur"))
      return ;;
    --place|--current-place)
      local IFS=$'\n'
      COMPREPLY=($(compgen -W "$("$cli" places 2>/dev/null | awk '{ print $1 }')" -- "$cur"))
      return ;;
    --zone)
      COMPREPLY=($(compgen -W "$("$cli" zones 2>/dev/null | awk '{ print $1 }') place" -- "$cur"))
      return ;;
  esac
  if [[ $cur == -* ]]; then
    local options
    options=$("$cli" "$command" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u)
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    return
  fi
  if [ "$command" = data ] && [ "$COMP_CWORD" -eq 2 ]; then
    COMPREPLY=($(compgen -W "list show delete add" -- "$cur"))
    return
  fi
  if [ "$command" = data ]; then
    COMPREPLY=($(compgen -f -X '!*.[bB][dD]5' -- "$cur") $(compgen -d -- "$cur"))
    return
  fi
  COMPREPLY=($(compgen -f -- "$cur"))
}
complete -F _horomira horomira
