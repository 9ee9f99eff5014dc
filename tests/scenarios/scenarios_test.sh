#!/bin/bash
# The window and hidden-run scenarios, written once and run on one desktop:
# x11 (a bare Xvfb), wayland (a headless sway), xwayland (the same sway with
# XWayland: the program chooses) or wine (Pelvorn.exe on a bare Xvfb).
# Each row is a command line, the keys typed, and what must come of them:
# the status, standard output and the clipboard after the end.
# usage: [ONLY=REGEX] scenarios_test.sh PROGRAM x11|wayland|xwayland|wine
# (ONLY: just the rows whose name matches REGEX)
. "$(dirname "$0")/../wayland/lib.sh" "$1" "$2"
start_desktop
[ "$MODE" = wine ] && "$(dirname "$0")/../wine/wine.sh" cmd /c exit  # the Wine session starts here
declare -A TITLES=([MAIN]=$MAIN_TITLE [INFO]=$INFO_TITLE [MODE]=$MODE_TITLE [BUSY]=$BUSY_TITLE
  [LATITUDE]=' Falsche Breitengradeingabe !' [MAP]=' Karte ')
declare -A LINES=([DE]=$RESULT_DE [EN]=$RESULT_EN [LL]='1892,96 km/140,0 °' [vorher]=vorher [none]='')
declare -A LANGS=([de]=de_DE.UTF-8 [en]=en_US.UTF-8)

# Steps, one word each: @NAME waits for the window NAME (of TITLES) to be
# shown with the keyboard; -NAME for it to be gone; =TEXT types TEXT;
# $NAME waits for the clipboard to hold LINES[NAME]; "first" starts a first
# copy that runs until the row ends; "rotator" gives the program Hamlib's
# dummy rotator (standing at 0, turning 6°/s); ~turning waits for it to turn,
# ~still for it to stand still for good; "busy" has another program hold UDP
# port PORT (a free one the row's command line names); >WORD, once the program
# listens on it, sends it the datagram WORD of tests/follow/send_datagrams.py;
# any other word is a key (xdotool's name). The command line is split at blanks.
#
# name | language | command line | steps | status | standard output | clipboard after the end
rows=(
  "hidden run|de|$HIDDEN_L||0|DE|DE"
  "hidden run, English|en|$HIDDEN_L||0|EN|EN"
  "refused locator|de|L;JO6A;KM38mm;;;V-||1|none|vorher"
  "unknown mode: its box, OK|de|X;1;2;3;4;V-|@MODE Return|1|none|vorher"
  "latitude 95: its box, then the window|de|G;95;38,5;13;27|@LATITUDE Return @MAIN Escape|0|none|vorher"
  "command line: the result before the window has the keyboard|de|L;JO62mm;KM38LL|\$LL @MAIN Escape|0|none|LL"
  "typed, Tab, Enter; F1 and its box; Esc|de||@MAIN =JO62mm Tab =KM38mm Return \$DE F1 @INFO Return -INFO @MAIN Escape|0|none|DE"
  "typed in English|en||@MAIN =JO62mm Tab =KM38mm Return \$EN @MAIN Escape|0|none|EN"
  "access keys, Enter again|de||@MAIN =JO62mm alt+f =KM38mm alt+r \$DE alt+f End BackSpace BackSpace =LL Return \$LL F1 @INFO Escape -INFO @MAIN Escape|0|none|LL"
  "second copy: its box, OK|de||first @BUSY Return|2|none|vorher"
  "F8 opens the map window, Esc closes it|de||@MAIN =JO62mm Tab =KM38mm Return \$DE F8 @MAP Escape -MAP @MAIN Escape|0|none|DE"
  "rotator: Shift+F7 turns the long way, F9 stops it|de|L;JO62mm;KM38mm|rotator \$DE @MAIN shift+F7 ~turning F9 ~still Escape|0|none|DE"
  "follows WSJT-X: its Status fills the boxes|de|--follow 127.0.0.1:PORT --window|@MAIN >STATUS:K1ABC:KM38MM \$DE Escape|0|none|DE"
  "follows N1MM: its lookupinfo fills the boxes|de|--follow n1mm:127.0.0.1:PORT --own JO62MM --window|@MAIN >N1MM:lookupinfo:K1ABC:KM38MM \$DE Escape|0|none|DE"
  "follows nothing: the port is taken|de|--follow 127.0.0.1:PORT --window|busy|2|none|vorher"
)

# rotator: the dummy on a free port; the program's arguments in rot_args.
rotator() {
  local port
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  rotctld -m 1 -T 127.0.0.1 -t "$port" >/dev/null 2>&1 &
  rot_pid=$! rot_args=(--rotator "127.0.0.1:$port")
  wait_until 5 grep -q " 0100007F:$(printf %04X "$port") 00000000:0000 0A " /proc/net/tcp
}
# azimuth: where the dummy stands ("p").
azimuth() {
  local az=
  exec 4<>"/dev/tcp/${rot_args[1]/://}" && echo p >&4 && read -r -t 3 az <&4
  exec 4>&-
  echo "${az%$'\r'}"
}
# listening: UDP port PORT is bound (a program under Wine binds it on the host too).
listening() { grep -q " 0100007F:$(printf %04X "$port") 00000000:0000 07 " /proc/net/udp; }
turning() { awk -v a="$(azimuth)" 'BEGIN { exit !(a != "" && (a > 0.5 || a < -0.5)) }'; }
# unchanged: the same reading as the one before (50 ms or more apart: 0.3°).
unchanged() { local now; now=$(azimuth); [ "$now" = "$stopped" ]; local same=$?; stopped=$now; return $same; }

for row in "${rows[@]}"; do
  IFS='|' read -r name language line steps status out after <<<"$row"
  [[ $name =~ ${ONLY:-} ]] || continue
  PLANG=${LANGS[$language]}
  clip_set vorher
  wait_until 5 eval '[ "$(clip)" = "vorher|" ]'
  first= rot_pid= rot_args=() busy_pid= port=
  [[ $line != *PORT* ]] || port=$(python3 -c 'import socket; s = socket.socket(type=socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  read -ra words <<<"${line//PORT/$port}"
  if [ -z "$steps" ]; then
    run "$line"
    check "$name: back promptly, also inside \$(...) ($took ms)" [ "$took" -le 5000 ]
  else
    for step in $steps; do
      [ "$step" = rotator ] && { check "$name: the dummy rotator answers" rotator || continue 2; }
      if [ "$step" = busy ]; then
        python3 -c 'import signal, socket, sys; s = socket.socket(type=socket.SOCK_DGRAM)
s.bind(("127.0.0.1", int(sys.argv[1]))); signal.pause()' "$port" &
        busy_pid=$!
        check "$name: another program holds the port" wait_until 5 listening || continue 2
      fi
      [ "$step" = first ] || continue
      launch && first=$pid
      wait_until 10 shown "$MAIN_TITLE" "$first"
    done
    LANG=$PLANG "$program" "${words[@]}" "${rot_args[@]}" >"$work/run.out" 2>>"$work/launched.err" &
    pid=$!
    # Keys and texts between two waits go out in one go (see type_keys).
    typed=()
    for step in $steps @; do
      case $step in
        first | @ | @* | -* | \$* | ~* | \>*) [ ${#typed[@]} = 0 ] || type_keys "${typed[@]}"; typed=() ;;
      esac
      case $step in
        first | rotator | busy | @) ;;
        \>*) check "$name: the program listens on UDP port $port" wait_until 10 listening &&
          python3 "$(dirname "$0")/../follow/send_datagrams.py" "$port" "${step#>}" ;;
        ~turning) check "$name: the rotator turns" wait_until 10 turning ;;
        ~still) stopped= && check "$name: the rotator stands still" wait_until 4 unchanged &&
          check "$name: ... at $stopped for good" eval '! wait_until 1 eval "! unchanged"' ;;
        @*) check "$name: \"${TITLES[${step#@}]}\" with the keyboard" ready "${TITLES[${step#@}]}" "$pid" || break ;;
        -*) check "$name: \"${TITLES[${step#-}]}\" closed" wait_until 5 eval '! shown "${TITLES[${step#-}]}" "$pid"' || break ;;
        \$*) check "$name: ${LINES[${step#\$}]} on the clipboard" wait_until 10 eval '[ "$(clip)" = "${LINES[${step#\$}]}|" ]' ;;
        *) typed+=("$step") ;;
      esac
    done
    await "$pid" 20
    [ -z "$first" ] || stop "$first"
    [ -z "$rot_pid" ] || stop "$rot_pid"
    [ -z "$busy_pid" ] || stop "$busy_pid"
  fi
  check_eq "$name: status" "$status" "$rc"
  check_out "$name: standard output" "${LINES[$out]}"
  wait_until 5 eval '[ "$(clip)" = "${LINES[$after]}|" ]'
  check_eq "$name: clipboard after the end" "${LINES[$after]}|" "$(clip)"
done

# Under sway the window is a Wayland window; under XWayland, where a hidden
# run's line reaches X11 programs too, Qt may be told to use X11: the window
# is then an X11 one and gets X11 keys.
if ! on_x11; then
  kind='xdg_shell pelvorn'
  if [ "$MODE" = xwayland ]; then
    run "$HIDDEN_L"
    check_eq "hidden run: X11 programs paste it" "$RESULT_DE|" "$(clipboard)"
    export QT_QPA_PLATFORM=xcb
    kind=xwayland
  fi
  PLANG=de_DE.UTF-8
  launch
  check "window shown" wait_until 10 focused_view "$MAIN_TITLE" "$pid"
  check_eq "window kind" "$kind" \
    "$(view "$MAIN_TITLE" "$pid" | awk -F'\t' 'NR == 1 {print $5 ($6 == "null" ? "" : " " $6)}')"
  type_keys =JO62mm alt+f =KM38mm alt+r
  check "Alt+F, Alt+R: the result on the clipboard" wait_until 10 eval '[ "$(wl_clipboard)" = "$RESULT_DE|" ]'
  type_keys Escape
  await "$pid" 20
  check_eq "Esc ends the program with status 0" 0 "$rc"
fi
finish
