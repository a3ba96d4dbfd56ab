# shellcheck shell=bash
# Helpers for the desktop tests: a private X server with a window manager, the
# game started on it, and waits on what can be seen from outside the program.
# Sourced by run.sh; every wait is bounded.

export LC_ALL=C.UTF-8 LANGUAGE=en QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY SESSION_MANAGER
# For a sanitizer build of the game.
LSAN_OPTIONS="suppressions=$(realpath "${BASH_SOURCE[0]%/*}")/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS

work=$(mktemp -d "${TMPDIR:-/tmp}/vesko-e2e.XXXXXX")
export HOME=$work XDG_RUNTIME_DIR=$work XDG_CACHE_HOME=$work/cache
xvfb_pid="" wm_pid=""
# The window manager: openbox, metacity or kwin (as CI runs them), or xfwm4,
# icewm or fluxbox.
wm=${VESKO_WM:-openbox}

stop_desktop() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}

# Polls a command until it succeeds, for at most $1 whole seconds.
wait_for() {
    local deadline=$((${EPOCHREALTIME/./} + $1 * 1000000))
    shift
    until "$@"; do
        ((${EPOCHREALTIME/./} < deadline)) || return 1
        sleep 0.05
    done
}

fail() {
    echo "$*" >&2
    exit 1
}

xvfb_answered() { [ -s "$ready" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# Starts Xvfb on a free display between 20 and 99 and the window manager on it. The
# display number comes back through -displayfd once the server accepts clients.
# Both end with this shell even when it is killed outright (by a test
# runner's timeout), and the game ends with its X server.
start_desktop() {
    local n ready=$work/display
    for n in $(shuf -i 20-99); do
        [ -e "/tmp/.X$n-lock" ] && continue
        : >"$ready"
        setpriv --pdeathsig TERM Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 3>"$ready" >/dev/null 2>&1 &
        xvfb_pid=$!
        wait_for 10 xvfb_answered
        if [ -s "$ready" ]; then
            export DISPLAY=":$n"
            break
        fi
        xvfb_pid=""
    done
    [ -n "$xvfb_pid" ] || { echo "could not start Xvfb on any display from :20 to :99" >&2; return 1; }
    # Each in a session bus of its own, as a desktop gives it; the game does
    # not join it.
    local command
    case $wm in
        openbox) command=(openbox) ;;
        metacity) command=(dbus-run-session -- metacity --no-composite --sm-disable) ;;
        kwin) command=(dbus-run-session -- kwin_x11 --replace) ;;
        xfwm4) command=(dbus-run-session -- xfwm4 --compositor=off) ;;
        icewm | fluxbox) command=("$wm") ;;
        *) echo "unknown window manager $wm" >&2; return 1 ;;
    esac
    XDG_CONFIG_HOME=$work/$wm setpriv --pdeathsig TERM "${command[@]}" >"$work/$wm.log" 2>&1 &
    wm_pid=$!
    wait_for 20 wm_running ||
        { echo "$wm did not start on $DISPLAY: $(tail -n 3 "$work/$wm.log")" >&2; return 1; }
}

# The settings file of a player who has turned the sounds off (so a deal
# takes a fixed 0.8 s) and the self-discipline question off; one line each.
settings_lines() {
    printf '%s\n' 0 1 1 0 0 0 0 -1 'tgb 0' qaz1 wsx2 edc3 rfv4 0
}

# Each case has its own settings folder, $prefs, holding vesko.txt. With
# "home" it is the .config folder of a home of its own, which the game finds
# without XDG_CONFIG_HOME, as on a desktop that does not set it.
new_prefs() {
    if [ "${1:-}" = home ]; then
        prefs=$(mktemp -d "$work/home.XXXX")/.config
        mkdir "$prefs"
    else
        prefs=$(mktemp -d "$work/prefs.XXXX")
    fi
    settings_lines >"$prefs/vesko.txt"
}

# Sets line $1 of the settings file to $2.
set_setting() {
    sed -i "$1s/.*/$2/" "$prefs/vesko.txt"
}

# Starts the game on the settings in $prefs, with the library $preload loaded
# into it if set; its process id is $game_pid. A shell of its own waits for
# it, so that its end, a crash too, is reported in its output file and not
# here.
launch() {
    (
        # $preload goes into the game alone; a sanitizer build wants its own
        # runtime first, which a preloaded library comes before. Settings in
        # $HOME/.config are found without XDG_CONFIG_HOME, as a player's are.
        local where=(XDG_CONFIG_HOME="$prefs")
        [[ $prefs == */.config ]] && where=(-u XDG_CONFIG_HOME HOME="${prefs%/.config}")
        env "${where[@]}" ${preload:+LD_PRELOAD="$preload"} \
            ${preload:+ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"} "$vesko" &
        echo $! >"$prefs/pid"
        wait $!
    ) >"$prefs/output" 2>&1 &
    runner=$!
    wait_for 5 test -s "$prefs/pid" || fail "the game did not start"
    game_pid=$(<"$prefs/pid")
}

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Waits for the game process to end; its exit status is then $status.
wait_exit() {
    wait_for "$1" game_ended || return 1
    wait "$runner"
    status=$?
    runner=""
}

# Ends a game process that a case left running.
stop_game() {
    [ -n "${runner:-}" ] && kill -KILL "$game_pid" 2>/dev/null && wait "$runner"
    true
}

# The visible windows of the game process, one id a line.
game_windows() {
    xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null
}

# Prints the id of a visible game window whose title is exactly $1, once the
# window manager has shown it.
window_named() {
    timeout 10 xdotool search --sync --all --onlyvisible --pid "$game_pid" --name "^$1\$" 2>/dev/null | head -n 1
}

# Prints the id of a visible game window that is not in the list $known.
other_window() {
    local w
    for w in $(game_windows); do
        case " $known " in *" $w "*) ;; *) echo "$w" && return 0 ;; esac
    done
    return 1
}

# Prints the id of a visible game window other than the ones named, once one
# appears within $1 seconds.
new_window() {
    local secs=$1
    shift
    known="$*"
    wait_for "$secs" other_window >/dev/null && other_window
}

is_active() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

is_gone() {
    ! game_windows | grep -qxF "$1"
}

# Sets x, y (the top left corner of the window's inside, on the screen), w and
# h of window $1, and top, the height of the frame's title bar above it.
x=0 y=0 w=0 h=0 top=0
geometry() {
    eval "$(xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { print "x=" $4 } /Absolute upper-left Y/ { print "y=" $4 }
        /Relative upper-left Y/ { print "top=" $4 }
        /Width:/ { print "w=" $2 } /Height:/ { print "h=" $2 }')"
}

# Sets fl, fr, ft and fb, the frame that the window manager gave window $1 round
# its inside (all 0 before it has framed it).
frame_of() {
    fl=0 fr=0 ft=0 fb=0
    eval "$(xprop -id "$1" _NET_FRAME_EXTENTS | awk -F' = ' 'NF == 2 { split($2, e, ", "); print "fl=" e[1], "fr=" e[2], "ft=" e[3], "fb=" e[4] }')"
}

# The minimum height that the game has given the window manager for window $1.
min_height() {
    xprop -id "$1" WM_NORMAL_HINTS | awk '/minimum size/ { print $NF }'
}

click() {
    xdotool mousemove "$1" "$2" click 1
}

# Waits until the game window is shown and active; $game is its id and
# $menu_bar the height of its menu bar (the table is 209 high before a game).
show_game() {
    game=$(window_named "Vesko's Solvary")
    [ -n "$game" ] || fail "the game window did not appear"
    wait_for 10 is_active "$game" || fail "the game window did not become active"
    geometry "$game"
    menu_bar=$((h - 209))
}

start_game() {
    launch
    show_game
}

# Checks that the game has ended, after what $1 says when given, with status 0
# and left a settings file of 14 lines.
expect_clean_quit() {
    wait_exit 10 || fail "the game did not end within 10 s${1:+ after $1}"
    [ "$status" -eq 0 ] || fail "exit status $status, not 0; the game wrote: $(tail -n 3 "$prefs/output")"
    local lines
    lines=$(wc -l <"$prefs/vesko.txt")
    [ "$lines" -eq 14 ] || fail "the settings file has $lines lines, not 14"
}

# Checks that the settings file's last line is the lock time, five minutes
# after a quit that came between the times $1 and $2 (in seconds).
expect_lock_after() {
    local lock t
    lock=$(tail -n 1 "$prefs/vesko.txt")
    for t in "$1" "$2"; do
        [ "$lock" = "$(date -d "@$((t + 300))" +%-H:%-M)" ] && return 0
    done
    fail "the lock time is \"$lock\", not five minutes after the quit"
}
