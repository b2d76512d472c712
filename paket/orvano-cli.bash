# bash completion for orvano-cli: commands, options, and the data folders and import formats
# of the program folder.

_orvano_cli_befehl() {
  local prog=""
  local i
  for ((i = 1; i < COMP_CWORD; i++)); do
    [[ ${COMP_WORDS[i]} == --programmordner ]] && prog="${COMP_WORDS[i + 1]}"
  done
  if [[ -n $prog ]]; then
    "${COMP_WORDS[0]}" --programmordner "$prog" "$@" 2>/dev/null
  else
    "${COMP_WORDS[0]}" "$@" 2>/dev/null
  fi
}

_orvano_cli() {
  local cur prev befehl i
  cur="${COMP_WORDS[COMP_CWORD]}"
  prev="${COMP_WORDS[COMP_CWORD - 1]}"
  local befehle="info bereinigen export ordner sichern sicherungen wiederherstellen import formate
    suchen route ort-bei pruefen optimieren strassen strassen-zaehlen vergleichen neue-daten ersetzen
    strassenliste osm-import umkreis adressen-pruefen"
  local optionen="--programmordner --ordner --land --was --ab --feld --text --feld2 --text2 --dienst
    --datei --von --nach --breite --laenge --art --plz-vorsatz --nr-vorsatz --format --datei2 --ordner1
    --ordner2 --land1 --land2 --alt --neu --ort --ja --plz --strassen --sortieren --loeschen --doppelte
    --genau --rueckwaerts --nur-strassen --anhaengen --ersetzen --km --ausgabe --help --version"

  case "$prev" in
    --programmordner)
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return ;;
    --ordner | --ordner1 | --ordner2)
      mapfile -t COMPREPLY < <(compgen -W "$(_orvano_cli_befehl ordner | cut -d';' -f2)" -- "$cur")
      return ;;
    --land | --land1 | --land2)
      mapfile -t COMPREPLY < <(compgen -W "Deutschland Österreich Schweiz" -- "$cur")
      return ;;
    --was)
      mapfile -t COMPREPLY < <(compgen -W "plz strassen beide" -- "$cur")
      return ;;
    --art)
      mapfile -t COMPREPLY < <(compgen -W "plz strassen" -- "$cur")
      return ;;
    --format)
      mapfile -t COMPREPLY < <(compgen -W "$(_orvano_cli_befehl formate | cut -d';' -f2)" -- "$cur")
      return ;;
    --datei | --datei2 | --ausgabe)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return ;;
  esac

  befehl=""
  for ((i = 1; i < COMP_CWORD; i++)); do
    if [[ ${COMP_WORDS[i]} != -* && ${COMP_WORDS[i - 1]} != --programmordner ]]; then
      befehl="${COMP_WORDS[i]}"
      break
    fi
  done
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$optionen" -- "$cur")
  elif [[ -z $befehl ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$befehle" -- "$cur")
  else
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  fi
}

complete -o filenames -F _orvano_cli orvano-cli
