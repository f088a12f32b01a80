#!/bin/sh
# Starts and stops the real telnet server of the telnetd tests: the tiny inetd of
# loopinetd.py on 127.0.0.1, which runs the distribution's telnetd per connection with the
# router simulator's one-session mode as the program it starts in place of a login.
#   telnetd-fixture.sh start DIR ROUTERSIM [ROUTERSIM OPTION...]
#   telnetd-fixture.sh stop DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
command=$1
dir=$2
case "$command" in
start)
    routersim=$3
    shift 3
    telnetd=$(command -v telnetd || echo /usr/sbin/telnetd)
    if [ ! -x "$telnetd" ]; then
        echo "telnetd-fixture: no telnetd installed (scripts/bootstrap.sh installs it)" >&2
        exit 1
    fi
    if [ ! -x "$routersim" ]; then
        echo "telnetd-fixture: $routersim is missing (build the native tree first)" >&2
        exit 1
    fi
    mkdir -p "$dir"
    rm -f "$dir/transcript.txt" "$dir/router-shell.err"
    # telnetd splits its login command at blanks and knows no quoting, so the router's shell
    # is a script of its own; its error output stays out of the session.
    {
        echo '#!/bin/sh'
        printf 'exec %s --stdio --transcript %s/transcript.txt' "$routersim" "$dir"
        for option in "$@"; do printf " '%s'" "$option"; done
        printf ' 2>>%s/router-shell.err\n' "$dir"
    } > "$dir/router-shell"
    chmod +x "$dir/router-shell"
    exec python3 "$here/loopinetd.py" start "$dir" "$telnetd" -h -E "$dir/router-shell"
    ;;
stop)
    exec python3 "$here/loopinetd.py" stop "$dir"
    ;;
*)
    echo "usage: telnetd-fixture.sh start DIR ROUTERSIM [OPTION...] | stop DIR" >&2
    exit 2
    ;;
esac
