# Bash completion for hushlake-cli: commands, options, the names --hash,
# --cipher and --mode accept, and picture names where a picture is named.
# Names match in any case, as the tool takes them; a mode also without "cm".
_hushlake_cli_names() {
  local cur=${2,,} word key
  COMPREPLY=()
  for word in $1; do
    key=${word,,}
    if [[ $key == "$cur"* || ${key#cm} == "$cur"* ]]; then COMPREPLY+=("$word"); fi
  done
}

# Picture names as the tool takes them: *.bmp and *.png in any case, files
# without extension (a picture saved under such a name), and folders.
_hushlake_cli_pictures() {
  local name base
  COMPREPLY=($(compgen -d -- "$1"))
  while IFS= read -r name; do
    [[ -d $name ]] && continue
    base=${name##*/}
    case ${base,,} in
      *.bmp | *.png) COMPREPLY+=("$name") ;;
      ?*.*) ;;
      *) COMPREPLY+=("$name") ;;
    esac
  done < <(compgen -f -- "$1")
}

_hushlake_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local commands="encrypt decrypt capacity analyze hash list selftest demo help"
  local global="-h --help -V --version -q --quiet -v --verbose"
  local hashes="Haval-224 Haval-256 MD4 MD5 RipeMD256 RipeMD320 SapphireII-256 SapphireII-320 SHA SHA1 Snefru-256 Square Tiger"
  local ciphers="3Way Blowfish DiamondII Gost Q128 Rijndael SAFER-K128 SAFER-SK128 SCOP SapphireII Shark Square TEA TEAN Twofish"
  local modes="cmCTS cmCBC cmCFB cmOFB"
  local command="" i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case " $commands " in *" ${COMP_WORDS[i]} "*) command=${COMP_WORDS[i]}; break ;; esac
  done

  case $prev in
    -H | --hash) _hushlake_cli_names "$hashes" "$cur"; return ;;
    -c | --cipher) _hushlake_cli_names "$ciphers" "$cur"; return ;;
    -m | --mode) _hushlake_cli_names "$modes" "$cur"; return ;;
    --format) COMPREPLY=($(compgen -W "HEX hex mime64" -- "$cur")); return ;;
    -i | --in | --against) _hushlake_cli_pictures "$cur"; return ;;
    -o | --out)
      if [[ $command == encrypt ]]; then
        _hushlake_cli_pictures "$cur"
      else
        COMPREPLY=($(compgen -f -- "$cur"))
      fi
      return ;;
    -t | --text-file | -k | --key-file | --file) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --folder) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    -a | --algo) return ;;
  esac

  local options="-h --help"
  case $command in
    "") COMPREPLY=($(compgen -W "$commands $global" -- "$cur")); return ;;
    encrypt) options+=" -i --in -o --out -t --text-file -k --key-file -H --hash -c --cipher -m --mode -f --force --strict --sealed --file" ;;
    decrypt) options+=" -i --in -o --out -k --key-file -H --hash -c --cipher -m --mode -f --force --raw --crlf --detect --sealed --folder" ;;
    capacity) options+=" -i --in -k --key-file -H --hash -c --cipher -m --mode --sealed" ;;
    analyze) options+=" --against --json" ;;
    hash) options+=" -a --algo --format" ;;
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")); return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options $global" -- "$cur"))
  elif [[ $command == encrypt || $command == decrypt || $command == capacity || $command == analyze ]]; then
    _hushlake_cli_pictures "$cur"
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -o filenames -F _hushlake_cli hushlake-cli
