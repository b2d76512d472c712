#!/usr/bin/env bash
# Times orvano-cli against sqlite3 doing the same work on the same data and prints a Markdown table:
# export of postal codes with streets, street optimisation and street import, each the median of
# seven runs of Orvano and three of sqlite3, with the peak memory; then the OpenStreetMap import of a synthetic extract of
# 2 million addresses beside `osmium fileinfo -e` on the same file, each after an untimed warm-up
# run. Each side starts from its files: Orvano reads its record
# files, sqlite3 reads the program's CSV export of them into an in-memory database and then runs
# the query, all in one run. All of Orvano's runs come before all of sqlite3's. Called by
# ./benchmark --tabelle; expects a Release build.
#   bench/vergleich.sh [STRASSEN ...]      (default: 375000 1500000 6000000)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$PWD/build/release/src/app/orvano-cli"
gen="$PWD/build/release/tools/orvano-testdaten"
osmgen="$PWD/build/release/tools/orvano-osm-testdaten"
[ -x "$cli" ] && [ -x "$gen" ] || { echo "Zuerst bauen: ./benchmark" >&2; exit 1; }
groessen=("$@")
[ ${#groessen[@]} -eq 0 ] && groessen=(375000 1500000 6000000)

# Prints "seconds kilobytes" of one run of the command: the time to the millisecond (time's own
# %e counts in hundredths, a seventh of a 0.07 s run), the peak memory from time.
messen() {
  local aus a b
  aus=$(mktemp)
  a=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$aus" "$@" >/dev/null 2>&1 || { cat "$aus" >&2; rm -f "$aus"; echo "Fehlgeschlagen: $*" >&2; exit 1; }
  b=$EPOCHREALTIME
  awk -v a="$a" -v b="$b" -v m="$(tail -n 1 "$aus")" 'BEGIN { printf "%.3f %s\n", b - a, m }'
  rm -f "$aus"
}

# Median time and largest peak of N runs; the command before each run (VORHER) is not timed.
# With AUFWAERMEN=1 an untimed run comes first: on a virtual machine the first writes after a
# pause land in memory the host took back and cost up to ten times as much (dd of 720 MB: 2.05 s
# after a pause, 0.17 s right after), which says nothing about either program.
AUFWAERMEN=1
mehrmals() {
  local n="$1" vorher="$2"
  shift 2
  local zeiten=() spitze=0 t m
  if [ "$AUFWAERMEN" = 1 ]; then
    eval "$vorher"
    messen "$@" >/dev/null
  fi
  for _ in $(seq "$n"); do
    eval "$vorher"
    read -r t m < <(messen "$@")
    zeiten+=("$t")
    [ "$m" -gt "$spitze" ] && spitze=$m
  done
  printf '%s %s\n' "$(printf '%s\n' "${zeiten[@]}" | sort -g | sed -n "$(((n + 1) / 2))p")" "$spitze"
}
# sqlite3's runs take up to half a minute: three of them.
dreimal() { mehrmals 3 "$@"; }

mb() { awk -v k="$1" 'BEGIN { printf "%.0f MB", k / 1024 }'; }
verhaeltnis() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
je_strasse() { awk -v t="$1" -v n="$2" 'BEGIN { printf "%.0f ns", t * 1e9 / n }'; }

# All of Orvano's runs come first, then all of sqlite3's: sqlite3 holds gigabytes, and memory it
# gives back to the host costs the next program dearly for a while.
# The same work on a folder of the same 20,000 codes and 1,000 streets gives each operation's
# fixed cost (program start, the postal codes, their lines): "ohne Grundkosten" takes it off.
orvano_groessen=(1000 "${groessen[@]}")
for n in "${orvano_groessen[@]}"; do
  p="$PWD/build/benchdaten-$n"
  if [ ! -f "$p/Ord_1/Strassen_D.ppp" ]; then
    rm -rf "$p"
    "$gen" --plz 20000 --strassen "$n" --seed 1 "$p" >/dev/null
  fi
  cp data/Orvano-Export.ims "$p/"
  # sqlite3 gets the program's own export of both tables.
  if [ ! -f "$p/str.csv" ]; then
    "$cli" --programmordner "$p" export --was plz "$p/plz.csv" >/dev/null
    "$cli" --programmordner "$p" export --was strassen "$p/str.csv" >/dev/null
  fi
done
# Memory the guest gave back to the host costs up to ten times as much on its first touch (the
# 6 M optimisation: 3.4-4.8 s on such memory, 2.3 s right after 4 GB were touched and freed), and
# a large run needs more of it than the runs before freed. So before each timed run, Orvano's and
# sqlite3's alike, dd fills and frees a buffer of three times the street file, untimed.
vorwaermen() {
  local bytes
  bytes=$(($(stat -c %s "$PWD/build/benchdaten-$1/Ord_1/Strassen_D.ppp") * 3))
  dd if=/dev/zero of=/dev/null bs="$bytes" count=1 iflag=fullblock 2>/dev/null
}
# One run of an operation (export, opt, imp) on the folder of N streets: "seconds kilobytes".
einmal() {
  local v="$1" n="$2" p="$PWD/build/benchdaten-$2"
  local c=("$cli" --programmordner "$p")
  vorwaermen "$n"
  case $v in
    export)
      rm -f "$p/beide.csv"
      messen "${c[@]}" export --was beide "$p/beide.csv" ;;
    opt)
      rm -rf "$p/Ord_opt" "$p/SichCopy"
      cp -r "$p/Ord_1" "$p/Ord_opt"
      messen "${c[@]}" optimieren --ordner Ord_opt --strassen --ja ;;
    imp)
      rm -rf "$p/Ord_imp"
      mkdir "$p/Ord_imp"
      cp "$p/Ord_1/Dat_D.ppp" "$p/Ord_imp/"
      : > "$p/Ord_imp/Strassen_D.ppp"
      messen "${c[@]}" import --ordner Ord_imp --art strassen --format Orvano-Export --ja "$p/str.csv" ;;
  esac
}
# Seven rounds after a warm-up round, each round every size once: a slow spell of the host
# (it varies a run by up to three times here) then falls on all sizes alike instead of on one.
declare -A zeit spitze laeufe
for v in export opt imp; do
  for runde in 0 1 2 3 4 5 6 7; do
    for n in "${orvano_groessen[@]}"; do
      read -r t m < <(einmal "$v" "$n")
      [ "$runde" = 0 ] && continue
      laeufe[$v$n]+="$t "
      [ "$m" -gt "${spitze[$v$n]:-0}" ] && spitze[$v$n]=$m
    done
  done
  for n in "${orvano_groessen[@]}"; do
    zeit[$v$n]=$(printf '%s\n' ${laeufe[$v$n]} | sort -g | sed -n 4p)
  done
done
for n in "${orvano_groessen[@]}"; do
  p="$PWD/build/benchdaten-$n"
  rm -rf "$p/Ord_opt" "$p/Ord_imp" "$p/SichCopy" "$p/beide.csv"
done

# Orvano's remaining runs before any of sqlite3's: the OpenStreetMap import of a synthetic
# extract (beside osmium reading every object once), the address check and the radius search.
adressen=2000000
p="$PWD/build/benchdaten-osm"
if [ ! -f "$p/auszug.osm.pbf" ]; then
  rm -rf "$p"
  "$gen" --plz 20000 --strassen 1000 --seed 1 "$p" >/dev/null
  "$osmgen" "$adressen" "$p/auszug.osm.pbf"
fi
c=("$cli" --programmordner "$p")
read -r tosm mosm < <(dreimal "rm -rf $p/Ord_osm; cp -r $p/Ord_1 $p/Ord_osm" "${c[@]}" osm-import --ordner Ord_osm --ja "$p/auszug.osm.pbf")
rm -rf "$p/Ord_osm" "$p/SichCopy"
osm="$p"

# The address-list check: 1,000,000 rows against national data (20,000 codes, 1.5 M streets),
# beside sqlite3's exact-match LEFT JOIN of the same rows (code + place + normalised street),
# once with the keys precomputed into indexed tables and once computed in the JOIN.
p="$PWD/build/benchdaten-1500000"
if [ ! -f "$p/Ord_1/Strassen_D.ppp" ]; then
  "$gen" --plz 20000 --strassen 1500000 --seed 1 "$p" >/dev/null
fi
c=("$cli" --programmordner "$p")
[ -f "$p/str.csv" ] || "${c[@]}" export --was strassen "$p/str.csv" >/dev/null
[ -f "$p/plz.csv" ] || "${c[@]}" export --was plz "$p/plz.csv" >/dev/null
if [ ! -f "$p/adressen.csv" ]; then
  # Every street of the export once, up to a million rows; every seventh place and every
  # eleventh street name a little wrong.
  awk -F';' 'NR > 1 && $4 != "" && n < 1000000 {
      n++; ort = $2; str = $4
      if (n % 7 == 0) ort = ort "x"
      if (n % 11 == 0) str = str "e"
      print $3 ";" ort ";" str ";" (n % 40 + 1)
    } BEGIN { print "PLZ;Ort;Strasse;Nr" }' "$p/str.csv" > "$p/adressen.csv"
fi
read -r ta ma < <(dreimal "true" "${c[@]}" adressen-pruefen "$p/adressen.csv")
read -r tu _ < <(dreimal "true" "${c[@]}" umkreis --plz 01067 --km 100)

# Opening the national folder beside `cat` of its two files, in milliseconds (time's 10 ms steps
# are too coarse here): the median of fifteen runs after a warm-up. The main window's load runs
# inside the benchmark program, once into fresh memory (the first start) and once into the
# memory of the table before (a change of folder or country, a reload).
fein() {
  local n="$1" a b zeiten=()
  shift
  "$@" >/dev/null 2>&1
  for _ in $(seq "$n"); do
    a=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    b=$EPOCHREALTIME
    zeiten+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.1f", (b - a) * 1000 }')")
  done
  printf '%s\n' "${zeiten[@]}" | sort -g | sed -n "$(((n + 1) / 2))p"
}
tinfo=$(fein 15 "${c[@]}" info)
tcat=$(fein 15 cat "$p/Ord_1/Dat_D.ppp" "$p/Ord_1/Strassen_D.ppp")
declare -A laden
while IFS=, read -r name _ real _; do
  case $name in
    '"BM_StrassenLaden_median"') laden[frisch]=$real ;;
    '"BM_StrassenNeuLaden_median"') laden[wieder]=$real ;;
  esac
done < <(ORVANO_BENCHDATEN="$p" "$PWD/build/release/bench/orvano_bench" --benchmark_filter='^BM_Strassen(Neu)?Laden$' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)

norm_ort="upper(replace(replace(%s,' ',''),'.',''))"
po=$(printf "$norm_ort" p.Ort)
so=$(printf "$norm_ort" s.Ort)
declare -A sqlite
for n in "${groessen[@]}"; do
  p="$PWD/build/benchdaten-$n"
  sq=(sqlite3 :memory: -cmd ".mode csv" -cmd ".separator ;" -cmd ".import $p/plz.csv p" -cmd ".import $p/str.csv s")
  read -r "sqlite[export$n]" _ < <(dreimal "rm -f $p/sq.txt; vorwaermen $n" "${sq[@]}" -cmd ".mode list" -cmd ".separator ;" -cmd ".output $p/sq.txt" \
    'SELECT p.Postleitzahl, p.Ort, s.Strassen, s."Ab Nr", s."Bis Nr" FROM p JOIN s ON s.Postleitzahl = p.Postleitzahl ORDER BY p.rowid, s.rowid;')
  read -r "sqlite[opt$n]" _ < <(dreimal "vorwaermen $n" "${sq[@]}" \
    "CREATE TEMP TABLE o AS SELECT s.* FROM s JOIN p ON p.Postleitzahl = s.Postleitzahl AND $po = $so GROUP BY s.Postleitzahl, $so, lower(replace(replace(replace(s.Strassen,' ',''),'-',''),'.','')), s.\"Ab Nr\", s.\"Bis Nr\" ORDER BY min(p.rowid), min(s.rowid);")
  read -r "sqlite[imp$n]" _ < <(dreimal "rm -f $p/imp.db; vorwaermen $n" sqlite3 "$p/imp.db" -cmd ".mode csv" -cmd ".separator ;" -cmd ".import $p/str.csv s" .quit)
  rm -f "$p/sq.txt" "$p/imp.db"
done

echo "| Vorgang | Strassen | Orvano | je Strasse | je Strasse ohne Grundkosten | Spitze | sqlite3 | Verhältnis |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
for n in "${groessen[@]}"; do
  for v in export opt imp; do
    case $v in
      export) name="Export PLZ und Strassen" ;;
      opt) name="Strassen optimieren" ;;
      imp) name="Strassen importieren" ;;
    esac
    t=${zeit[$v$n]} ts=${sqlite[$v$n]}
    ohne=$(awk -v t="$t" -v g="${zeit[${v}1000]}" 'BEGIN { print t - g }')
    echo "| $name | $n | $t s | $(je_strasse "$t" "$n") | $(je_strasse "$ohne" "$n") | $(mb "${spitze[$v$n]}") | $ts s | $(verhaeltnis "$t" "$ts") |"
  done
  datei=$(stat -c %s "$PWD/build/benchdaten-$n/Ord_1/Strassen_D.ppp")
  echo "| (Strassen-Datei) | $n | | | | $(awk -v b="$datei" 'BEGIN { printf "%.0f", b / 1048576 }') MB | | |"
done
echo "| (Grundkosten: 20000 PLZ, 1000 Strassen) | 1000 | Export ${zeit[export1000]} s, Optimieren ${zeit[opt1000]} s, Import ${zeit[imp1000]} s | | | | | |"

read -r to _ < <(dreimal "true" osmium fileinfo -e "$osm/auszug.osm.pbf")
echo
echo "| Vorgang | Adressen | Orvano | je Adresse | Spitze | osmium fileinfo -e | Verhältnis |"
echo "|---|---:|---:|---:|---:|---:|---:|"
echo "| OpenStreetMap-Import | $adressen | $tosm s | $(je_strasse "$tosm" "$adressen") | $(mb "$mosm") | $to s | $(verhaeltnis "$tosm" "$to") |"


# The address check's peers: sqlite3 takes minutes here, so no warm-up run.
AUFWAERMEN=0
p="$PWD/build/benchdaten-1500000"
norm="lower(replace(replace(replace(replace(%s,' ',''),'-',''),'.',''),'_',''))"
ln=$(printf "$norm" l.Strasse)
sn=$(printf "$norm" s.Strassen)
read -r ts _ < <(dreimal "rm -f $p/sq.txt" sqlite3 :memory: -cmd ".mode csv" -cmd ".separator ;" -cmd ".import $p/plz.csv p" \
  -cmd ".import $p/str.csv s" -cmd ".import $p/adressen.csv l" -cmd ".mode list" -cmd ".output $p/sq.txt" \
  "SELECT l.rowid, p.rowid IS NOT NULL, s.rowid IS NOT NULL FROM l LEFT JOIN p ON p.Postleitzahl = l.PLZ AND upper(replace(p.Ort,' ','')) = upper(replace(l.Ort,' ','')) LEFT JOIN s ON s.Postleitzahl = l.PLZ AND $sn = $ln;")
# The same join with the comparison keys computed once into tables of their own, with an index
# on each: the way one would set sqlite3 up for this work.
schluessel="CREATE TABLE pk AS SELECT Postleitzahl AS plz, upper(replace(Ort,' ','')) AS k FROM p;
CREATE INDEX pki ON pk(plz, k);
CREATE TABLE sk AS SELECT Postleitzahl AS plz, $sn AS k FROM s;
CREATE INDEX ski ON sk(plz, k);
CREATE TABLE lk AS SELECT l.rowid AS r, l.PLZ AS plz, upper(replace(l.Ort,' ','')) AS ok, $ln AS sk FROM l;
SELECT lk.r, pk.plz IS NOT NULL, sk.plz IS NOT NULL FROM lk LEFT JOIN pk ON pk.plz = lk.plz AND pk.k = lk.ok LEFT JOIN sk ON sk.plz = lk.plz AND sk.k = lk.sk;"
read -r tk _ < <(dreimal "rm -f $p/sq.txt" sqlite3 :memory: -cmd ".mode csv" -cmd ".separator ;" -cmd ".import $p/plz.csv p" \
  -cmd ".import $p/str.csv s" -cmd ".import $p/adressen.csv l" -cmd ".mode list" -cmd ".output $p/sq.txt" "$schluessel")
echo
echo "| Vorgang | Zeilen | Orvano | je Zeile | Spitze | sqlite3 | Verhältnis |"
echo "|---|---:|---:|---:|---:|---:|---:|"
echo "| Adressliste prüfen (sqlite3 mit vorberechneten Schlüsseln) | 1000000 | $ta s | $(je_strasse "$ta" 1000000) | $(mb "$ma") | $tk s | $(verhaeltnis "$ta" "$tk") |"
echo "| Adressliste prüfen (sqlite3 mit Schlüsseln im JOIN) | 1000000 | $ta s | $(je_strasse "$ta" 1000000) | $(mb "$ma") | $ts s | $(verhaeltnis "$ta" "$ts") |"
echo "| Umkreissuche 100 km (ganzer Befehl) | 20000 | $tu s | | | | |"
echo
echo "| Vorgang | Strassen | Orvano | cat beider Dateien | Verhältnis |"
echo "|---|---:|---:|---:|---:|"
ms() { awk -v t="$1" 'BEGIN { printf "%.0f ms", t }'; }
echo "| Ordner öffnen (orvano-cli info) | 1500000 | $(ms "$tinfo") | $(ms "$tcat") | $(verhaeltnis "$tinfo" "$tcat") |"
echo "| Strassen laden (Hauptfenster, erster Start) | 1500000 | $(ms "${laden[frisch]}") | $(ms "$tcat") | $(verhaeltnis "${laden[frisch]}" "$tcat") |"
echo "| Strassen laden (Hauptfenster, Ordner- oder Landwechsel) | 1500000 | $(ms "${laden[wieder]}") | $(ms "$tcat") | $(verhaeltnis "${laden[wieder]}" "$tcat") |"
rm -f "$p/sq.txt"
