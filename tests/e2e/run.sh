#!/usr/bin/env bash
# Plays the built game on a real X server with a window manager (Xvfb and
# openbox, or metacity or KWin as VESKO_WM says), with real key presses and mouse clicks, and checks what a player
# sees. Each case starts the game anew with its own settings folder; every case
# runs and reports its own result.
# Usage: run.sh [path/to/vesko [case ...]]
# Exits with 77, skipped, where the desktop's programs are missing.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
vesko=$(realpath "${1:-$here/../../build/vesko}")
shift
cases=("$@")
# Built beside the game's tests.
failing_browser=${VESKO_FAILING_BROWSER:-$(dirname "$vesko")/tests/libvesko_failing_browser.so}

source "$here/lib.sh"
trap stop_desktop EXIT
declare -A wm_program=([openbox]=openbox [metacity]=metacity [kwin]=kwin_x11)
tools=(Xvfb xdotool xwininfo xprop wmctrl python3 "${wm_program[$wm]:-$wm}")
[[ $wm == @(metacity|kwin|xfwm4) ]] && tools+=(dbus-run-session)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing; bash scripts/test.sh installs it" >&2; exit 77; }
done
[ -x "$vesko" ] || { echo "no game program at $vesko; build it first" >&2; exit 1; }

trap 'exit 1' INT TERM
start_desktop || exit 1

# Clicks the menu title "Help", the first in the menu bar; the open menu is
# $popup, and x, y, w, h its geometry.
open_help_menu() {
    click $((x + 20)) $((y + menu_bar / 2))
    popup=$(new_window 5 "$game") || fail "clicking \"Help\" opened no menu"
    geometry "$popup"
}

quit_by_ctrl_q() {
    new_prefs
    start_game
    xdotool key ctrl+q
    expect_clean_quit
}

quit_from_menu_by_mouse() {
    new_prefs
    start_game
    open_help_menu
    # "Quit" is the third of the menu's five items.
    click $((x + 30)) $((y + h / 2))
    expect_clean_quit
}

quit_from_menu_by_keys() {
    new_prefs
    start_game
    open_help_menu
    xdotool key Down Down Down Return
    expect_clean_quit
}

quit_by_close_box() {
    new_prefs
    start_game
    # The close box is at the right end of the title bar.
    local from_right=19
    [[ $wm != @(openbox|fluxbox) ]] || from_right=10
    frame_of "$game"
    click $((x + w - from_right)) $((y - ft / 2))
    expect_clean_quit
}

quit_from_lock_out() {
    # A lock until 23:59 written today: the lock time is the stored hour and
    # minute on the day the file was last written.
    [ "$(date +%H%M)" != 2359 ] || exit 77
    new_prefs
    set_setting 14 23:59
    touch -d "today 00:00" "$prefs/vesko.txt"
    launch
    local dialog quit_from misplaced=""
    dialog=$(window_named "No way…")
    [ -n "$dialog" ] || fail "the lock-out dialog did not appear"
    game=$(window_named "Vesko's Solvary")
    [ -n "$game" ] || fail "the game window did not appear beside the lock-out dialog"
    geometry "$game"
    menu_bar=$((h - 209))
    check_sheet_place "$dialog" "the lock-out dialog"
    [ -z "$misplaced" ] || fail "$misplaced"
    geometry "$dialog"
    quit_from=$EPOCHSECONDS
    click $((x + 85)) $((y + 226))
    expect_clean_quit
    expect_lock_after "$quit_from" "$EPOCHSECONDS"
}

# Starts the game with the self-discipline question at start-up; $ask is its
# sheet, shown and active, and $game the game window, its geometry in x, y, w
# and h, its menu bar $menu_bar high.
launch_with_question() {
    new_prefs
    set_setting 5 1
    launch
    ask=$(window_named Emulerad)
    [ -n "$ask" ] || fail "the self-discipline sheet did not appear at start"
    wait_for 10 is_active "$ask" || fail "the self-discipline sheet did not become active"
    game=$(window_named "Vesko's Solvary")
    geometry "$game"
    menu_bar=$((h - 209))
}

min_height_above() {
    [ "$(min_height "$game")" -gt "$1" ]
}

quit_by_new_game_after_last_game() {
    local ask before quit_from
    launch_with_question
    geometry "$ask"
    click $((x + 45)) $((y + 50))   # "I'll play just" 1 time more
    click $((x + 223)) $((y + 141)) # OK
    wait_for 5 is_gone "$ask" || fail "OK did not close the self-discipline dialog"
    show_game
    before=$(min_height "$game")
    click $((x + 55)) $((y + menu_bar + 24)) # "New game"
    wait_for 5 min_height_above "$before" || fail "\"New game\" dealt no cards"
    quit_from=$EPOCHSECONDS
    click $((x + 55)) $((y + menu_bar + 24)) # the same button, now "Quit"
    expect_clean_quit
    expect_lock_after "$quit_from" "$EPOCHSECONDS"
}

typing_in_settings_is_saved() {
    new_prefs home
    start_game
    xdotool key ctrl+comma
    local settings
    settings=$(window_named Settings)
    [ -n "$settings" ] || fail "Ctrl+, did not open the Settings dialog"
    wait_for 10 is_active "$settings" || fail "the Settings dialog did not become active"
    geometry "$settings"
    # "Keys" is the middle one of the tabs, which stand centred on the panel.
    click $((x + 184)) $((y + 28))
    xdotool type --delay 20 ujm7
    xdotool key Return # Save is the default button
    wait_for 5 is_gone "$settings" || fail "Return did not close the Settings dialog"
    wait_for 10 is_active "$game" || fail "the game window did not become active again"
    xdotool key ctrl+q
    expect_clean_quit
    local keys
    keys=$(sed -n 10p "$prefs/vesko.txt")
    [ "$keys" = ujm7 ] || fail "pile 1's keys were saved as \"$keys\", not as the typed \"ujm7\""
}

# The browser fails with an error that no handler of the game catches, when
# the player asks for help in the self-discipline dialog: the game says so in
# a box and, once the box is closed, quits through the game window's Close as
# ever, with status 1.
unrecoverable_error_box_then_status_1() {
    [ -f "$failing_browser" ] || exit 77
    local ask before box
    preload=$failing_browser launch_with_question
    geometry "$ask"
    before=$(game_windows)
    click $((x + 70)) $((y + 141)) # "I'm a victim to gambling!"
    box=$(new_window 10 $before) || fail "no error box appeared"
    wait_for 10 is_active "$box" || fail "the error box did not become active"
    [ "$(xdotool getwindowname "$box")" = "Vesko's Solvary" ] ||
        fail "the error box is titled \"$(xdotool getwindowname "$box")\", not with the game's name"
    grep -q "the browser was asked for https://" "$prefs/output" ||
        fail "the browser was not asked for a web page: $(grep "browser was asked" "$prefs/output")"
    ! wait_exit 1 || fail "the game ended (status $status) before its error box was closed"
    xdotool key Return
    wait_exit 10 || fail "the game did not end after its error box was closed"
    [ "$status" -eq 1 ] || fail "exit status $status, not 1; the game wrote: $(tail -n 3 "$prefs/output")"
    [ "$(wc -l <"$prefs/vesko.txt")" -eq 14 ] || fail "the quit did not write the settings file"
}

second_after() {
    ((EPOCHSECONDS > $1))
}

# Deals by key $1 and waits until the deal has ended: each deal lengthens the
# piles by a card row (nothing is thrown), and with them the window's minimum
# height.
deal_by_key() {
    local before
    before=$(min_height "$game")
    xdotool key "$1"
    # No further input: the new least height reaches the window manager by
    # itself, not with the next event the game gets.
    wait_for 3 min_height_above "$before" || fail "after deal key \"$1\" the least height stayed $before"
}

height_is() {
    geometry "$game"
    [ "$h" -eq "$1" ]
}

# A whole game by keys: New game and 12 more deals by the deal keys, without a
# throw, then the pile keys, and a deal key on the empty deck ends the game.
# After each deal the player makes the window as short as the cards allow, so
# that every deal but the first grows it. Meanwhile its height is sampled into
# $work/heights for the next case, under a line "deal" where a deal starts and
# a line "shrink" where the player's resize starts.
whole_game_by_keys() {
    local heights=$work/heights keys=(t g b 0 space) deal dialog least
    new_prefs
    start_game
    while xwininfo -id "$game" 2>/dev/null | awk '/Height:/ { print $2 }'; do :; done >>"$heights" 2>&1 &
    sampler=$!
    trap 'kill $sampler 2>/dev/null; stop_game' EXIT
    for deal in $(seq 13); do
        echo deal >>"$heights"
        deal_by_key "${keys[deal % 5]}"
        # The game refuses a deal key in the same clock second as the last deal.
        wait_for 2 second_after "$EPOCHSECONDS"
        echo shrink >>"$heights"
        least=$(min_height "$game")
        xdotool windowsize "$game" "$w" "$least"
        wait_for 5 height_is "$least" || fail "the window could not be made $least high after deal $deal"
        sleep 0.1 # lets the sampler's last reading in before the next deal's line
    done
    echo deal >>"$heights"
    # Every pile key once: a throw or a fault click each, then the end.
    xdotool key q a z 1 w s x 2 e d c 3 r f v 4 t
    dialog=$(new_window 5 "$game") || fail "no end-of-game dialog after the last deal"
    geometry "$dialog"
    [ "$w"x"$h" = 352x128 ] || fail "a window of ${w}x$h, not the 352x128 end-of-game dialog, appeared"
    wait_for 5 is_active "$dialog" || fail "the end-of-game dialog did not become active"
    xdotool key Return
    wait_for 5 is_gone "$dialog" || fail "Return did not close the end-of-game dialog"
    wait_for 5 is_active "$game" || fail "the game window did not become active again"
    xdotool key ctrl+q
    expect_clean_quit
}

height_never_drops_while_growing() {
    [ -s "$work/heights" ] || fail "no game was played"
    awk '/shrink/ { shrinking = 1; next }
         /deal/ { deal++; shrinking = 0; last = 0; grew += grown; grown = 0; next }
         shrinking { next }
         $1 < last { printf "the window'\''s height dropped from %d to %d during deal %d\n", last, $1, deal; bad = 1; exit }
         last && $1 > last { grown = 1 }
         { last = $1 }
         END { if (!bad && grew < 12) { printf "the window grew in %d deals, not in 12\n", grew; bad = 1 } exit bad }' \
        "$work/heights" >&2 || exit 1
}

# Deals $1 times by the deal keys, each deal in a later clock second than the
# one before (the game refuses a deal key in the same second).
deal_times() {
    local keys=(t g b 0 space) deal
    for deal in $(seq "$1"); do
        deal_by_key "${keys[deal % 5]}"
        wait_for 2 second_after "$EPOCHSECONDS"
    done
}

min_height_is() {
    [ "$(min_height "$game")" -eq "$1" ]
}

# Heights passed while the window grew (every other pixel from 209 to 284) are
# a player's resize like any other once the growth is over; 214 and 280 were
# never passed. Each snap differs from the height before it, so that the
# height is seen to change.
resize_after_growth_snaps() {
    new_prefs
    start_game
    deal_times 9 # the ninth row's card line is 284
    geometry "$game"
    [ $((h - menu_bar)) -ge 284 ] || fail "nine deals left the table $((h - menu_bar)) high, not 284 or more"
    xdotool key ctrl+n
    wait_for 5 min_height_is $((84 + menu_bar)) ||
        fail "after Ctrl+N the least height is $(min_height "$game"), not $((84 + menu_bar)) of a first deal"
    local step sizes=() asked snapped wrong=""
    for step in $(seq 0 2 22); do
        sizes+=($((211 + step)):209 $((236 + step)):234 $((261 + step)):259)
    done
    for asked in "${sizes[@]}" 214:209 280:259; do
        snapped=${asked#*:} asked=${asked%:*}
        xdotool windowsize "$game" "$w" $((asked + menu_bar))
        wait_for 2 height_is $((snapped + menu_bar)) || wrong+=" $asked was left at $((h - menu_bar)), not $snapped;"
    done
    [ -z "$wrong" ] || fail "resizes of the table did not snap to the card line above:$wrong"
    xdotool key ctrl+q
    expect_clean_quit
}

# Sets sheet_top, how far the top of sheet $1's frame lies below the inside top
# of the game window (its title bar's bottom), and sheet_off_centre, how far the
# middle of its frame lies right of the game window frame's, in half pixels;
# x, y, w and h are then the game window's again. True when the sheet hangs
# right under the title bar, centred, within 2 pixels.
sheet_in_place() {
    local sheet_y sheet_mid
    frame_of "$1"
    geometry "$1"
    sheet_y=$((y - ft)) sheet_mid=$((2 * x - fl + fr + w))
    frame_of "$game"
    geometry "$game"
    sheet_top=$((sheet_y - y)) sheet_off_centre=$((sheet_mid - (2 * x - fl + fr + w)))
    ((sheet_top >= -2 && sheet_top <= 2 && sheet_off_centre >= -4 && sheet_off_centre <= 4))
}

# Adds to $misplaced where sheet $1, named $2, does not come to hang in place:
# the window manager may frame it a moment after it shows.
check_sheet_place() {
    wait_for 3 sheet_in_place "$1" && return 0
    misplaced+=" $2 stands with its top $sheet_top px below the game window's title bar at a table"
    misplaced+=" $((h - menu_bar)) high, $((sheet_off_centre / 2)) px right of its centre;"
}

open_settings() {
    xdotool key ctrl+comma
    settings=$(window_named Settings)
    [ -n "$settings" ] || fail "Ctrl+, did not open the Settings sheet"
    wait_for 10 is_active "$settings" || fail "the Settings sheet did not become active"
}

close_settings() {
    xdotool key Escape
    wait_for 5 is_gone "$settings" || fail "Escape did not close the Settings sheet"
    wait_for 5 is_active "$game" || fail "the game window did not become active again"
}

# Every sheet hangs just under the game window's title bar, centred on it, at
# every height: the self-discipline question shown as the game starts, before
# the game window has its frame; Settings; the end-of-game dialog.
sheet_hangs_from_the_top() {
    local settings ask dialog misplaced=""
    launch_with_question # shown before the game window has its frame
    check_sheet_place "$ask" "the self-discipline sheet at start-up"
    open_settings
    check_sheet_place "$settings" "the Settings sheet over the start-up sheet"
    xdotool key Escape
    wait_for 5 is_gone "$settings" || fail "Escape did not close the Settings sheet"
    wait_for 5 is_active "$ask" || fail "the self-discipline sheet did not become active again"
    xdotool key Return # OK, with no play limit ticked
    wait_for 5 is_gone "$ask" || fail "Return did not close the self-discipline sheet"
    wait_for 10 is_active "$game" || fail "the game window did not become active"
    deal_times 13
    open_settings
    check_sheet_place "$settings" "the Settings sheet"
    close_settings
    open_help_menu
    xdotool key Down Down Down Down Down Return # "Emulated Self Discipline…"
    ask=$(window_named Emulerad)
    [ -n "$ask" ] || fail "the menu did not open the self-discipline sheet"
    wait_for 5 is_active "$ask" || fail "the self-discipline sheet did not become active"
    check_sheet_place "$ask" "the self-discipline sheet"
    xdotool key Return # OK, with no play limit ticked
    wait_for 5 is_gone "$ask" || fail "Return did not close the self-discipline sheet"
    wait_for 5 is_active "$game" || fail "the game window did not become active again"
    xdotool key q a z 1 w s x 2 e d c 3 r f v 4 t
    dialog=$(new_window 5 "$game") || fail "no end-of-game dialog after the last deal"
    wait_for 5 is_active "$dialog" || fail "the end-of-game dialog did not become active"
    check_sheet_place "$dialog" "the end-of-game dialog"
    [ -z "$misplaced" ] || fail "sheets do not hang from the game window's title bar:$misplaced"
    xdotool key Return
    wait_for 5 is_gone "$dialog" || fail "Return did not close the end-of-game dialog"
    xdotool key ctrl+q
    expect_clean_quit
}

is_shown() {
    game_windows | grep -qxF "$1"
}

is_in_front() {
    is_shown "$1" && is_active "$1"
}

active_window() {
    xdotool getactivewindow 2>/dev/null || echo none
}

# A window manager that offers to minimise a sheet must not leave the game
# dead. The sheet comes back by itself, before any click; or, where the window
# manager minimised the game window with it, it comes back with the game.
minimised_sheet_comes_back() {
    local settings outcome=""
    new_prefs
    start_game
    open_settings
    # Until it has gone, the sheet has not come back; it may come back before
    # xdotool sees it go.
    timeout 3 xdotool windowminimize --sync "$settings"
    wait_for 3 minimise_settled || fail "after the Settings sheet was minimised, the game window is $(
        is_shown "$game" || echo not) shown, the sheet $(is_shown "$settings" || echo not), the active window $(active_window)"
    if [ "$outcome" = group ]; then
        xdotool windowactivate "$game"
        # Window managers may show the way back before the window stands still.
        wait_for 5 sheet_in_place "$settings" || fail "the game window and its sheet did not come back in place"
        wait_for 5 is_active "$settings" ||
            fail "the game window came back, the Settings sheet did not become active: $(active_window)"
    fi
    geometry "$game"
    click $((x + w / 2)) $((y + menu_bar + 150))
    wait_for 5 is_active "$settings" ||
        fail "a click on the game window took the keyboard from its sheet; active window: $(active_window)"
    close_settings
    xdotool key ctrl+q
    expect_clean_quit
}

# True once the game window and its minimised sheet have settled, for a
# fifth of a second, either with the sheet back in front ($outcome "back") or
# with both minimised ("group").
minimise_settled() {
    local now=""
    if is_in_front "$settings" && is_shown "$game"; then
        now=back
    elif is_gone "$game" && is_gone "$settings"; then
        now=group
    fi
    [ -n "$now" ] && [ "$now" = "$outcome" ] && return 0
    outcome=$now
    [ -z "$now" ] || sleep 0.2
    return 1
}

# Minimising the game window takes its sheet along, and bringing it back
# brings the sheet back over it, in its place, with the keyboard.
sheet_goes_with_its_window() {
    local settings misplaced=""
    new_prefs
    start_game
    open_settings
    xdotool windowminimize "$game"
    wait_for 5 is_gone "$game" || fail "the game window could not be minimised under its sheet"
    is_gone "$settings" || fail "the Settings sheet stayed on the desktop without its window"
    sleep 1
    is_gone "$game" || fail "the game window came back by itself a moment after it was minimised"
    is_gone "$settings" || fail "the Settings sheet came back by itself without its window"
    xdotool windowactivate "$game"
    wait_for 5 is_shown "$game" || fail "the game window did not come back"
    wait_for 5 is_active "$settings" || fail "the Settings sheet did not come back in front: $(active_window)"
    check_sheet_place "$settings" "the Settings sheet"
    [ -z "$misplaced" ] || fail "$misplaced"
    close_settings
    xdotool key ctrl+q
    expect_clean_quit
}

is_shaded() {
    xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SHADED
}

# A shaded sheet unrolls at once: a click on the game window and Ctrl+Q then
# work as ever.
shaded_sheet_never_traps_the_game() {
    local ask
    launch_with_question
    wmctrl -i -r "$ask" -b add,shaded
    wait_for 3 is_shaded "$ask" || true # window managers that refuse to shade a dialog
    wait_for 3 eval "! is_shaded $ask" || fail "the self-discipline sheet stayed shaded"
    click $((x + w / 2)) $((y + h / 2))
    xdotool key ctrl+q
    expect_clean_quit "a click and Ctrl+Q after the self-discipline sheet was shaded"
}

offers_close() {
    xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_CLOSE
}

# Window managers that honour the hints offer to close the game and Rules
# windows, but not the sheets, which close by their buttons.
close_offered_where_it_belongs() {
    [[ $wm != @(openbox|xfwm4) ]] || exit 77 # they offer it everywhere
    local ask rules settings
    launch_with_question
    ! offers_close "$ask" || fail "the self-discipline sheet offers to close"
    xdotool key Return
    show_game
    offers_close "$game" || fail "the game window does not offer to close"
    open_settings
    ! offers_close "$settings" || fail "the Settings sheet offers to close"
    close_settings
    open_help_menu
    xdotool key Down Return # "Rules…"
    rules=$(window_named Rules)
    [ -n "$rules" ] || fail "the menu did not open the Rules window"
    offers_close "$rules" || fail "the Rules window does not offer to close"
    xdotool key ctrl+q
    expect_clean_quit
}

ctrl_q_under_self_discipline_sheet() {
    local ask
    launch_with_question
    xdotool key ctrl+q
    expect_clean_quit "Ctrl+Q under the self-discipline sheet"
}

# Quitting drops what was typed in the open Settings sheet.
ctrl_q_under_settings() {
    local settings keys
    new_prefs
    start_game
    open_settings
    geometry "$settings"
    click $((x + 184)) $((y + 28)) # the "Keys" tab
    xdotool type --delay 20 ujm7
    xdotool key ctrl+q
    expect_clean_quit "Ctrl+Q under the Settings sheet"
    keys=$(sed -n 10p "$prefs/vesko.txt")
    [ "$keys" = qaz1 ] || fail "pile 1's keys were saved as \"$keys\", not kept as \"qaz1\" without Save"
}

# With the green table, the window's bottom rows are grabbed as fast as the X
# server answers while deals grow the window and while the player pulls it
# longer (it then snaps back); outside the card columns every grab must show
# the table's green.
no_white_rows_while_growing() {
    local grabs least deal keys=(t g b 0 space) result
    command -v python3 >/dev/null || exit 77
    new_prefs
    set_setting 4 1
    start_game
    exec {grabs}> >(exec python3 "$here/bottom_rows.py" "$game" 007f00 3 2-22,51-74,103-126,155-178,207-226 >"$work/grabs")
    for deal in $(seq 8); do
        echo deal >&"$grabs"
        deal_by_key "${keys[deal % 5]}"
        echo resize >&"$grabs"
        least=$(min_height "$game")
        xdotool windowsize "$game" "$w" $((least + 20))
        wait_for 2 second_after "$EPOCHSECONDS"
        xdotool windowsize "$game" "$w" "$least"
        wait_for 5 height_is "$least" || fail "the window could not be made $least high after deal $deal"
    done
    exec {grabs}>&-
    wait_for 5 test -s "$work/grabs" || fail "the grabber reported nothing"
    result=$(<"$work/grabs")
    [[ $result == *"deal: "*" grabs"* && $result == *"resize: "*" grabs"* ]] ||
        fail "the grabber did not grab both while dealing and while resizing: $result"
    [[ ! $result =~ [1-9][0-9]*\ bad ]] || fail "the bottom rows were not all table green; $result"
}

failed=0
run_case() {
    local started=$EPOCHSECONDS message result
    message=$( (trap stop_game EXIT; "$1") 2>&1)
    result=$?
    case $result in
        0) echo "PASS  $1 ($((EPOCHSECONDS - started)) s)" ;;
        77) echo "SKIP  $1" ;;
        *)
            echo "FAIL  $1"
            sed 's/^/      /' <<<"$message"
            failed=$((failed + 1))
            ;;
    esac
}

echo "Desktop tests on $DISPLAY with $wm, game $vesko"
[ ${#cases[@]} -gt 0 ] || cases=(quit_by_ctrl_q quit_from_menu_by_mouse quit_from_menu_by_keys quit_by_close_box
    quit_from_lock_out quit_by_new_game_after_last_game typing_in_settings_is_saved
    whole_game_by_keys height_never_drops_while_growing unrecoverable_error_box_then_status_1
    resize_after_growth_snaps sheet_hangs_from_the_top minimised_sheet_comes_back sheet_goes_with_its_window
    shaded_sheet_never_traps_the_game close_offered_where_it_belongs ctrl_q_under_self_discipline_sheet
    ctrl_q_under_settings no_white_rows_while_growing)
for case in "${cases[@]}"; do
    run_case "$case"
done
echo "$failed failed, in $SECONDS s"
[ "$failed" -eq 0 ]
