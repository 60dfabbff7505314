#!/usr/bin/env bash
# startup_peers.sh: start-up time and peak memory of this program as a user sees it, measured
# from outside next to a bare Qt 6 window and the installed patience programs, in one run.
#
# What it measures, for every program, RUNS times (default 7; run 1 of each is the cold run on
# an empty HOME and is reported apart, never in the statistics), round-robin so that drift on
# the machine hits every program alike:
#   t_map      exec -> the main window is mapped (what `xdotool search --sync --onlyvisible`
#              reports, less its 0.5 s polling: checked, xdotool returns >= 0.5 s for a window
#              mapped at 0.04 s, so it cannot be used for this);
#   t_table    exec -> first visible game table: the last drawing into the main window before
#              the first 20 ms without drawing after which the window is >= 20 % table green
#              (the table may still lack its cards: a deal animation follows in some programs);
#   t_settled  exec -> dealt table settled: the last drawing before the first 400 ms without
#              drawing after which the window is >= 20 % green and >= 0.5 % near-white card
#              faces (deal animations and automatic moves fall inside it);
#   peak RSS   VmHWM of the program's process (plus its children, if any) read at
#              max(3 s, t_settled + 0.5 s), just before the process group is killed (SIGKILL,
#              so no program saves state and every warm run starts from the same files);
#              also read when the first visible table is found (peak RSS at t_table).
# Drawing is seen through the X DAMAGE extension on the root window, events only, no polling;
# drawing wholly inside a dialog mapped over the main window and updates under 2500 pixels (a
# status-bar clock) do not count for the quiet gaps. See the firstpaint source below.
# After the timed rounds one extra, untimed round takes the screenshots (shots/):
#   NAME-table.png (window at t_table), NAME-settled.png (window at t_settled),
#   NAME-screen.png (`import -window root` just before the kill).
#
# Setup (done once, kept in WORK): builds the event-driven waiter (firstpaint, C/Xlib/XDamage)
# and the Qt 6 floor program. Nothing is installed: a missing tool stops the script with the
# Debian package to install. Peers are measured when installed (aisleriot: /usr/games/sol,
# kpat: /usr/games/kpat).
#
# Environment of every run: one Xvfb (1920x1080x24, no window manager) and one D-Bus session
# bus for the whole measurement, all inside a private network namespace with no interface up
# (no program can reach a network); env -i with PATH, HOME (one empty HOME per program under
# WORK/home, made anew each measurement), DISPLAY, DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR,
# LANG=C.UTF-8. Services the programs activate on the bus (accessibility bus, portals) come up
# during the cold round and stay up, as on a desktop session.
#
# This program is measured twice, each run from a copy of DIST_DIR with no DATA/ folder:
#   tarnwell         timing mode (TARNWELL_STARTUP_PROBE=2): deals the current game (default
#                    preferences: FreeCell) without the open-game dialog, then plays on;
#   tarnwell-dialog  a first start: t_map, t_table and t_settled are those of the open-game
#                    dialog drawn over the main window (its own window, matched by title).
#
# Usage: bash bench/startup_peers.sh [-n RUNS] [-w WORK] [-o OUTDIR] [-x NAME]... [-p 'NAME|CLASS|COMMAND[|FLAGS]']... [DIST_DIR]
#   DIST_DIR defaults to build/dist. Runs as root in a private network namespace (unshare -n),
#      as a user in a user namespace when the kernel allows it, else without one.
#   -p adds a program: CLASS is a substring of its main window's WM_CLASS, COMMAND is split on
#      blanks (use `env VAR=value prog args` for environment), FLAGS are extra firstpaint flags
#      (e.g. '-G 10' for a table that is less green). -x NAME leaves a default program out.
#   Default programs: floor, floor-menus (Qt 6 floor), aisleriot, kpatience (when installed),
#      tarnwell, tarnwell-dialog.
# Output: OUTDIR (default WORK/results/DATE-TIME): results.tsv (one line a run), summary.md,
# env.txt (versions, machine, load), logs/ (one firstpaint log a run), shots/.
# The machine's load moves absolute times: compare the programs within one run.
set -euo pipefail

RUNS=7
WORK=${PEERBENCH_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwell-startup}
OUT=""
SKIP=" "
EXTRA=()
INSIDE=0
if [ "${1:-}" = "--inside-netns" ]; then INSIDE=1; shift; fi
while [ $INSIDE = 0 ] && getopts "n:w:o:x:p:h" opt; do
    case $opt in
    n) RUNS=$OPTARG ;;
    w) WORK=$OPTARG ;;
    o) OUT=$OPTARG ;;
    x) SKIP="$SKIP$OPTARG " ;;
    p) EXTRA+=("$OPTARG") ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d'; exit 2 ;;
    esac
done
if [ $INSIDE = 0 ]; then
    shift $((OPTIND - 1))
    DIST=$(realpath "${1:-$(dirname "$0")/../build/dist}")
    [ -x "$DIST/tarnwell" ] || { echo "no program in $DIST (build it first)"; exit 2; }
fi
[ "$RUNS" -ge 2 ] || { echo "need RUNS >= 2 (run 1 is the cold run)"; exit 2; }
OUT=${OUT:-$WORK/results/$(date +%Y%m%d-%H%M%S)}
PY=/usr/bin/python3
SELF=$(readlink -f "$0")

log() { printf '%s %s\n' "$(date +%T)" "$*" >&2; }

# ---------------------------------------------------------------- setup (outside the namespace)
check_tools() {
    local tool missing=""
    for tool in Xvfb:xvfb xdpyinfo:x11-utils import:imagemagick convert:imagemagick \
        dbus-daemon:dbus cc:gcc g++:g++ pkg-config:pkg-config; do
        command -v "${tool%%:*}" >/dev/null || missing="$missing ${tool#*:}"
    done
    pkg-config --exists x11 xdamage xfixes Qt6Widgets 2>/dev/null ||
        missing="$missing libx11-dev libxdamage-dev qt6-base-dev"
    [ -z "$missing" ] || { echo "missing; install the Debian packages:$missing"; exit 1; }
}

write_firstpaint_source() {
    cat >"$WORK/src/firstpaint.c" <<'EOF_FIRSTPAINT'
/* firstpaint: start a GUI program on an X display (no window manager) and time its
 * start-up from X events alone, with no polling: XDamage on the root window reports
 * every drawing on the screen, SubstructureNotify on the root reports every top-level
 * window that is mapped.  Times are seconds from just before fork+exec.
 *
 *   t_map      MapNotify of the main window: the first top-level window that is not
 *              override-redirect, at least -W x -H pixels, and whose WM_CLASS contains
 *              -c (what `xdotool search --sync --onlyvisible --class C` waits for, less
 *              xdotool's 0.5 s polling).
 *   t_first    first drawing into the main window.
 *   t_table    first visible game table: the last drawing before the first quiet gap
 *              of >= -g ms (20) after which the window is >= -G % (20) table green.
 *   t_settled  dealt table settled: the last drawing before the first quiet gap of
 *              >= -q ms (400) after which the window is >= -G % green and >= -w
 *              permille (5) near-white card pixels.  Deal animations and automatic
 *              moves fall inside it.
 *   Drawing wholly inside a top-level window mapped after the main one (a dialog over
 *   the table) does not count for the main window; drawings smaller than -m pixels
 *   (2500: a status-bar clock) count for t_first only, never for the quiet gaps.
 *   The window tests read the window's screen area (every 2nd pixel of every 2nd row):
 *   green = G > R+24 and G > B+24; near-white = R, G, B >= 215.
 *
 * At max(-r s (3), t_settled + 0.5 s) it reads VmHWM and VmRSS of the program's process
 * and the summed VmHWM of its child processes, runs the -S shell command (a screenshot;
 * the program's PID is in $FIRSTPAINT_PID),
 * kills the program's process group with SIGKILL and prints one line of key=value.
 * Exit status 0 when a settled table was seen, 1 when not (timeout -t, or the program
 * exited), 2 on usage or X errors.
 * Build: cc -O2 -o firstpaint firstpaint.c -lX11 -lXdamage -lXfixes
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double t0;
static double now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9 - t0;
}

typedef struct {
    Window w;
    int x, y, wd, ht;
    int mapped, cand;
    int dirty_table, dirty_settle; /* drawn into since the last window test */
    double t_map, t_first, t_last; /* t_last: last drawing that counts for gaps */
    char cls[128], name[128];
} Win;

#define MAXW 128
static Win wins[MAXW];
static int nwins;

static const char *match_class, *match_name;
static int minw = 300, minh = 200, green_pct = 20, white_pm = 5, verbose;
static long min_area = 2500;
static FILE *logf;

static int ignore_xerror(Display *d, XErrorEvent *e) { (void)d; (void)e; return 0; }

static Win *find(Window w)
{
    for (int i = 0; i < nwins; i++)
        if (wins[i].w == w) return &wins[i];
    return NULL;
}

static void describe(Display *dpy, Win *v)
{
    XClassHint ch;
    char *nm = NULL;
    v->cls[0] = v->name[0] = 0;
    if (XGetClassHint(dpy, v->w, &ch)) {
        snprintf(v->cls, sizeof v->cls, "%s/%s", ch.res_name ? ch.res_name : "", ch.res_class ? ch.res_class : "");
        if (ch.res_name) XFree(ch.res_name);
        if (ch.res_class) XFree(ch.res_class);
    }
    if (XFetchName(dpy, v->w, &nm) && nm) {
        snprintf(v->name, sizeof v->name, "%s", nm);
        XFree(nm);
    } else { /* _NET_WM_NAME, UTF-8 */
        Atom a = XInternAtom(dpy, "_NET_WM_NAME", False), u = XInternAtom(dpy, "UTF8_STRING", False), type;
        int fmt; unsigned long n, rest; unsigned char *p = NULL;
        if (XGetWindowProperty(dpy, v->w, a, 0, 64, False, u, &type, &fmt, &n, &rest, &p) == Success && p) {
            snprintf(v->name, sizeof v->name, "%s", (char *)p);
            XFree(p);
        }
    }
}

static int is_candidate(const Win *v, int override_redirect)
{
    if (override_redirect || v->wd < minw || v->ht < minh) return 0;
    if (match_class && !strcasestr(v->cls, match_class)) return 0;
    if (match_name && !strcasestr(v->name, match_name)) return 0;
    return 1;
}

static void write_ppm(const char *path, XImage *im, int w, int h)
{
    FILE *f = fopen(path, "wb");
    if (!f) return;
    fprintf(f, "P6\n%d %d\n255\n", w, h);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) {
            unsigned long p = XGetPixel(im, i, j);
            fputc((p >> 16) & 255, f); fputc((p >> 8) & 255, f); fputc(p & 255, f);
        }
    fclose(f);
}

/* Reads the window's area of the screen; returns 1 when it looks like a table
 * (and, with need_cards, a table with card faces). */
static int window_test(Display *dpy, const Win *v, int need_cards, const char *shot, double *green, double *white)
{
    int sw = DisplayWidth(dpy, DefaultScreen(dpy)), sh = DisplayHeight(dpy, DefaultScreen(dpy));
    int x0 = v->x < 0 ? 0 : v->x, y0 = v->y < 0 ? 0 : v->y;
    int x1 = v->x + v->wd > sw ? sw : v->x + v->wd, y1 = v->y + v->ht > sh ? sh : v->y + v->ht;
    *green = *white = 0;
    if (x1 <= x0 || y1 <= y0) return 0;
    XImage *im = XGetImage(dpy, DefaultRootWindow(dpy), x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
    if (!im) return 0;
    long n = 0, g = 0, wh = 0;
    for (int j = 0; j < y1 - y0; j += 2)
        for (int i = 0; i < x1 - x0; i += 2) {
            unsigned long p = XGetPixel(im, i, j);
            int r = (p >> 16) & 255, gg = (p >> 8) & 255, b = p & 255;
            n++;
            if (gg > r + 24 && gg > b + 24) g++;
            if (r >= 215 && gg >= 215 && b >= 215) wh++;
        }
    *green = 100.0 * g / n;
    *white = 1000.0 * wh / n;
    int ok = *green >= green_pct && (!need_cards || *white >= white_pm);
    if (ok && shot) write_ppm(shot, im, x1 - x0, y1 - y0);
    XDestroyImage(im);
    return ok;
}

static long status_kb(pid_t pid, const char *key)
{
    char path[64], line[256];
    size_t kl = strlen(key);
    long v = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f) return -1;
    while (fgets(line, sizeof line, f))
        if (!strncmp(line, key, kl) && line[kl] == ':') { v = atol(line + kl + 1); break; }
    fclose(f);
    return v;
}

/* All descendants of root: count, summed VmHWM, comma-separated names. */
static void descendants(pid_t root, int *count, long *hwm_sum, char *names, size_t nl)
{
    pid_t q[256];
    int nq = 1;
    q[0] = root; *count = 0; *hwm_sum = 0; names[0] = 0;
    for (int k = 0; k < nq; k++) {
        DIR *d = opendir("/proc");
        struct dirent *e;
        if (!d) return;
        while ((e = readdir(d))) {
            pid_t p = atoi(e->d_name);
            char path[64], buf[512];
            if (p <= 0) continue;
            snprintf(path, sizeof path, "/proc/%d/stat", (int)p);
            FILE *f = fopen(path, "r");
            if (!f) continue;
            size_t n = fread(buf, 1, sizeof buf - 1, f);
            fclose(f);
            buf[n] = 0;
            char *rp = strrchr(buf, ')'), *lp = strchr(buf, '(');
            int ppid = 0; char st;
            if (!rp || !lp || sscanf(rp + 2, "%c %d", &st, &ppid) != 2 || ppid != q[k] || nq >= 256) continue;
            q[nq++] = p;
            (*count)++;
            long h = status_kb(p, "VmHWM");
            if (h > 0) *hwm_sum += h;
            *rp = 0;
            size_t L = strlen(names);
            snprintf(names + L, nl - L, "%s%s", L ? "," : "", lp + 1);
        }
        closedir(d);
    }
}

static void usage(void)
{
    fprintf(stderr, "usage: firstpaint [-c class] [-n name] [-W minw] [-H minh] [-g table_gap_ms] [-q settle_gap_ms]\n"
                    "  [-m min_area_px] [-G green_pct] [-w white_permille] [-r read_s] [-t timeout_s]\n"
                    "  [-T table.ppm] [-s settled.ppm] [-S shell_cmd] [-l log] [-v] -- command [args...]\n");
    exit(2);
}

int main(int argc, char **argv)
{
    double gap_table = 0.02, gap_settle = 0.4, read_at = 3.0, timeout = 30;
    const char *shot_table = NULL, *shot_settled = NULL, *at_read_cmd = NULL, *logpath = NULL;
    int opt;
    while ((opt = getopt(argc, argv, "+c:n:W:H:g:q:m:G:w:r:t:T:s:S:l:v")) != -1) {
        switch (opt) {
        case 'c': match_class = optarg; break;
        case 'n': match_name = optarg; break;
        case 'W': minw = atoi(optarg); break;
        case 'H': minh = atoi(optarg); break;
        case 'g': gap_table = atof(optarg) / 1000; break;
        case 'q': gap_settle = atof(optarg) / 1000; break;
        case 'm': min_area = atol(optarg); break;
        case 'G': green_pct = atoi(optarg); break;
        case 'w': white_pm = atoi(optarg); break;
        case 'r': read_at = atof(optarg); break;
        case 't': timeout = atof(optarg); break;
        case 'T': shot_table = optarg; break;
        case 's': shot_settled = optarg; break;
        case 'S': at_read_cmd = optarg; break;
        case 'l': logpath = optarg; break;
        case 'v': verbose = 1; break;
        default: usage();
        }
    }
    if (optind >= argc) usage();
    logf = logpath ? fopen(logpath, "w") : NULL;

    Display *dpy = XOpenDisplay(NULL);
    int dmg_ev, dmg_err;
    if (!dpy) { fprintf(stderr, "firstpaint: cannot open display\n"); return 2; }
    if (!XDamageQueryExtension(dpy, &dmg_ev, &dmg_err)) { fprintf(stderr, "firstpaint: no DAMAGE extension\n"); return 2; }
    XSetErrorHandler(ignore_xerror);
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XDamageCreate(dpy, root, XDamageReportRawRectangles);
    XSync(dpy, False);
    while (XPending(dpy)) { XEvent ev; XNextEvent(dpy, &ev); }

    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    t0 = ts.tv_sec + ts.tv_nsec * 1e-9;
    pid_t pid = fork();
    if (pid < 0) { perror("fork"); return 2; }
    if (pid == 0) {
        setpgid(0, 0);
        close(ConnectionNumber(dpy));
        execvp(argv[optind], argv + optind);
        perror("exec");
        _exit(127);
    }
    setpgid(pid, pid);

    int fd = ConnectionNumber(dpy), exited = 0, status = 0;
    Win *table_win = NULL, *settled_win = NULL;
    double t_table = -1, t_settled = -1, green = 0, white = 0;
    long n_damage = 0, hwm3 = -1, hwm_table = -1;
    for (;;) {
        double t = now();
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = 1;
            if (logf) fprintf(logf, "%.4f exited status=%d\n", t, status);
            break;
        }
        if (hwm3 < 0 && t >= 3.0) hwm3 = status_kb(pid, "VmHWM");
        if (settled_win && t >= (read_at > t_settled + 0.5 ? read_at : t_settled + 0.5)) break;
        if (t >= timeout) break;

        for (int i = 0; !settled_win && i < nwins; i++) {
            Win *v = &wins[i];
            double g, w;
            if (!v->mapped || !v->cand) continue;
            if (t_table < 0 && v->dirty_table && t - v->t_last >= gap_table) {
                v->dirty_table = 0;
                int ok = window_test(dpy, v, 0, shot_table, &g, &w);
                if (logf) fprintf(logf, "%.4f test-table win=0x%lx last=%.4f green=%.1f%% white=%.1f%% -> %s (%.1f ms)\n", t, v->w, v->t_last, g, w, ok ? "TABLE" : "no", (now() - t) * 1000);
                if (ok) { t_table = v->t_last; table_win = v; hwm_table = status_kb(pid, "VmHWM"); }
            }
            if (v->dirty_settle && t - v->t_last >= gap_settle) {
                v->dirty_settle = 0;
                int ok = window_test(dpy, v, 1, shot_settled, &g, &w);
                if (logf) fprintf(logf, "%.4f test-settled win=0x%lx last=%.4f green=%.1f%% white=%.1f%% -> %s (%.1f ms)\n", t, v->w, v->t_last, g, w, ok ? "SETTLED" : "no", (now() - t) * 1000);
                if (ok) {
                    settled_win = v; t_settled = v->t_last; green = g; white = w;
                    if (t_table < 0) { t_table = t_settled; table_win = v; hwm_table = status_kb(pid, "VmHWM"); }
                }
            }
        }

        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            double te = now();
            if (ev.type == dmg_ev + XDamageNotify) {
                XDamageNotifyEvent *de = (XDamageNotifyEvent *)&ev;
                int ax = de->area.x, ay = de->area.y, aw = de->area.width, ah = de->area.height;
                n_damage++;
                if (logf && verbose) fprintf(logf, "%.4f damage %dx%d+%d+%d\n", te, aw, ah, ax, ay);
                for (int i = 0; i < nwins; i++) {
                    Win *v = &wins[i];
                    int covered = 0;
                    if (!v->mapped || !(ax < v->x + v->wd && ax + aw > v->x && ay < v->y + v->ht && ay + ah > v->y)) continue;
                    for (int k = 0; k < nwins && !covered; k++) {
                        Win *o = &wins[k];
                        covered = o != v && o->mapped && o->t_map > v->t_map && ax >= o->x && ay >= o->y &&
                                  ax + aw <= o->x + o->wd && ay + ah <= o->y + o->ht;
                    }
                    if (covered) continue;
                    if (v->t_first < 0) v->t_first = te;
                    if ((long)aw * ah < min_area) continue;
                    v->t_last = te;
                    v->dirty_table = v->dirty_settle = 1;
                }
            } else if (ev.type == MapNotify) {
                Win *v = find(ev.xmap.window);
                XWindowAttributes wa;
                if (!v && nwins < MAXW) {
                    v = &wins[nwins++];
                    memset(v, 0, sizeof *v);
                    v->w = ev.xmap.window;
                    v->t_first = -1;
                }
                if (!v) continue;
                if (XGetWindowAttributes(dpy, v->w, &wa)) { v->x = wa.x; v->y = wa.y; v->wd = wa.width; v->ht = wa.height; }
                describe(dpy, v);
                v->mapped = 1;
                v->t_map = te;
                v->cand = is_candidate(v, ev.xmap.override_redirect);
                if (logf) fprintf(logf, "%.4f map win=0x%lx %dx%d+%d+%d override=%d class=%s name=\"%s\" main=%d\n", te, v->w, v->wd, v->ht, v->x, v->y, ev.xmap.override_redirect, v->cls, v->name, v->cand);
            } else if (ev.type == UnmapNotify || ev.type == DestroyNotify) {
                Win *v = find(ev.type == UnmapNotify ? ev.xunmap.window : ev.xdestroywindow.window);
                if (v && v->mapped) {
                    v->mapped = 0;
                    if (logf) fprintf(logf, "%.4f unmap win=0x%lx\n", te, v->w);
                }
            } else if (ev.type == ConfigureNotify) {
                Win *v = find(ev.xconfigure.window);
                if (!v) continue;
                v->x = ev.xconfigure.x; v->y = ev.xconfigure.y; v->wd = ev.xconfigure.width; v->ht = ev.xconfigure.height;
                if (v->mapped) { describe(dpy, v); v->cand = is_candidate(v, ev.xconfigure.override_redirect); }
                if (logf) fprintf(logf, "%.4f configure win=0x%lx %dx%d+%d+%d main=%d\n", te, v->w, v->wd, v->ht, v->x, v->y, v->cand);
            }
        }
        fd_set rf;
        FD_ZERO(&rf);
        FD_SET(fd, &rf);
        struct timeval tv = {0, 2000}; /* wake at least every 2 ms for the gap tests */
        select(fd + 1, &rf, NULL, NULL, &tv);
    }

    double t_read = now();
    long hwm = -1, rss = -1, child_hwm = 0;
    int n_child = 0;
    char child_names[512] = "";
    if (!exited) {
        hwm = status_kb(pid, "VmHWM");
        rss = status_kb(pid, "VmRSS");
        descendants(pid, &n_child, &child_hwm, child_names, sizeof child_names);
        if (at_read_cmd) {
            char pidstr[32];
            snprintf(pidstr, sizeof pidstr, "%d", (int)pid);
            setenv("FIRSTPAINT_PID", pidstr, 1); /* for the -S command */
            if (system(at_read_cmd) != 0 && logf) fprintf(logf, "-S command failed\n");
        }
        kill(-pid, SIGKILL);
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    Win *m = settled_win ? settled_win : table_win;
    printf("ok=%d t_map=%.4f t_first=%.4f t_table=%.4f t_settled=%.4f t_read=%.4f hwm_kb=%ld hwm_table_kb=%ld rss_kb=%ld hwm3_kb=%ld "
           "children=%d children_hwm_kb=%ld children_names=%s green_pct=%.1f white_permille=%.1f damage_events=%ld "
           "exited_early=%d win=%dx%d class=%s\n",
           settled_win != NULL, m ? m->t_map : -1, m ? m->t_first : -1, t_table, t_settled, t_read, hwm, hwm_table, rss, hwm3,
           n_child, child_hwm, child_names[0] ? child_names : "-", green, white, n_damage,
           exited, m ? m->wd : 0, m ? m->ht : 0, m && m->cls[0] ? m->cls : "-");
    if (logf) { fprintf(logf, "%.4f end\n", t_read); fclose(logf); }
    return settled_win ? 0 : 1;
}
EOF_FIRSTPAINT
}

write_floor_source() {
    cat >"$WORK/src/floor.cpp" <<'EOF_FLOOR'
// Floor: the least a Qt 6 Widgets program does to show a dealt-looking table.
// Default: one top-level QWidget that paints a QImage (green table, 7 white cards)
// built in memory at start-up. With --menus: the same table as the central widget of a
// QMainWindow with a menu bar, a tool bar and a status bar (text, so fonts get loaded).
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QWidget>
#include <cstring>

class Table : public QWidget {
public:
    explicit Table(QWidget *parent = nullptr) : QWidget(parent), img(1024, 640, QImage::Format_RGB32) {
        img.fill(QColor(0x1f, 0x7a, 0x3a));
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 7; ++i) {
            QRectF r(40 + i * 135, 200, 110, 150);
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawRoundedRect(r, 8, 8);
        }
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(1024, 640);
    }
protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, img); }
private:
    QImage img;
};

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    bool menus = argc > 1 && std::strcmp(argv[1], "--menus") == 0;
    if (!menus) {
        Table t;
        t.setWindowTitle("floor");
        t.show();
        return app.exec();
    }
    QMainWindow w;
    w.setWindowTitle("floor-menus");
    for (const char *m : {"&Game", "&Options", "&Help"}) {
        QMenu *menu = w.menuBar()->addMenu(m);
        for (const char *a : {"&New deal", "&Undo", "&Redo", "&Statistics...", "E&xit"}) menu->addAction(a);
    }
    QToolBar *tb = w.addToolBar("main");
    for (const char *a : {"Deal", "Undo", "Redo", "Hint", "Exit"}) tb->addAction(a);
    w.setCentralWidget(new Table);
    w.statusBar()->showMessage("Score 0   Time 0:00");
    w.show();
    return app.exec();
}
EOF_FLOOR
}

build_tools() {
    mkdir -p "$WORK/src" "$WORK/bin"
    write_firstpaint_source
    write_floor_source
    cc -O2 -Wall -o "$WORK/bin/firstpaint" "$WORK/src/firstpaint.c" -lX11 -lXdamage -lXfixes
    # shellcheck disable=SC2046
    g++ -O2 -std=c++17 -fPIC -o "$WORK/bin/floor" "$WORK/src/floor.cpp" $(pkg-config --cflags --libs Qt6Widgets)
}

# ---------------------------------------------------------------- measurement (inside the namespace)
programs() {
    local p
    for p in \
        "floor|floor|$WORK/bin/floor" \
        "floor-menus|floor|$WORK/bin/floor --menus" \
        "aisleriot|sol|/usr/games/sol --variation=klondike" \
        "kpatience|kpat|/usr/games/kpat --gametype klondike" \
        "tarnwell|tarnwell|env TARNWELL_STARTUP_PROBE=2 $WORK/prog/tarnwell/tarnwell|-n Tarnwell" \
        "tarnwell-dialog|tarnwell|$WORK/prog/tarnwell-dialog/tarnwell|-n Open -G 0 -w 0" \
        "${EXTRA[@]}"; do
        [ -n "$p" ] || continue
        case "$SKIP" in *" ${p%%|*} "*) continue ;; esac
        case "${p%%|*}" in
        aisleriot) [ -x /usr/games/sol ] || continue ;;
        kpatience) [ -x /usr/games/kpat ] || continue ;;
        esac
        echo "$p"
    done
}

MARK=""
cleanup() {
    local pid
    [ -n "$MARK" ] || return 0
    # every process started for this measurement carries PEERBENCH_MARK=$MARK in its environment
    for pid in $(grep -l -a -s "PEERBENCH_MARK=$MARK" /proc/[0-9]*/environ | cut -d/ -f3); do
        [ "$pid" != $$ ] && kill "$pid" 2>/dev/null || true
    done
    sleep 0.5
    for pid in $(grep -l -a -s "PEERBENCH_MARK=$MARK" /proc/[0-9]*/environ | cut -d/ -f3); do
        [ "$pid" != $$ ] && kill -9 "$pid" 2>/dev/null || true
    done
    # the document portal mounts a FUSE file system under XDG_RUNTIME_DIR
    if mountpoint -q "$WORK/run/doc" 2>/dev/null; then umount -l "$WORK/run/doc" || true; fi
}

measure() {
    MARK=$$-$RANDOM
    trap cleanup EXIT
    local run_dir=$WORK/run xvfb_pid dbus_pid disp n
    rm -rf "${run_dir:?}" "${WORK:?}/home"
    mkdir -p "$run_dir" "$WORK/home/session" "$OUT/logs" "$OUT/shots"
    chmod 700 "$run_dir"
    for n in $(seq 99 150); do [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || break; done
    disp=:$n
    env -i PATH=/usr/bin:/bin PEERBENCH_MARK=$MARK Xvfb "$disp" -screen 0 1920x1080x24 -nolisten tcp -noreset \
        >"$OUT/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for n in $(seq 100); do DISPLAY=$disp xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    DISPLAY=$disp xdpyinfo >/dev/null 2>&1 || { log "Xvfb did not start"; exit 1; }
    local base_env=("PATH=/usr/local/bin:/usr/bin:/bin:/usr/games" "DISPLAY=$disp" "XDG_RUNTIME_DIR=$run_dir"
        "DBUS_SESSION_BUS_ADDRESS=unix:path=$run_dir/bus" "LANG=C.UTF-8" "PEERBENCH_MARK=$MARK")
    env -i "${base_env[@]}" HOME=$WORK/home/session dbus-daemon --session --nofork \
        --address=unix:path=$run_dir/bus >"$OUT/dbus.log" 2>&1 &
    dbus_pid=$!
    for n in $(seq 50); do [ -S "$run_dir/bus" ] && break; sleep 0.1; done

    {
        echo "date: $(date -Is)"
        echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1), $(free -g | awk '/Mem:/{print $2}') GiB, $(uname -r), Debian $(cat /etc/debian_version)"
        echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
        echo "network namespace: $(ip -o link 2>/dev/null | awk '{print $2, $9}' | tr '\n' ' ')"
        echo "display: Xvfb $disp 1920x1080x24, no window manager"
        dpkg-query -W -f='${Package} ${Version}\n' xvfb aisleriot kpat libqt6widgets6 libqt5widgets5 libgtk-3-0 python3-tk tk8.6 2>/dev/null || true
    } >"$OUT/env.txt"

    local progs=() p
    mapfile -t progs < <(programs)
    printf 'program\trun\tcold\tok\tt_map\tt_first\tt_table\tt_settled\thwm_kb\thwm_table_kb\thwm3_kb\trss_kb\tchildren\tchildren_hwm_kb\twin\tclass\n' >"$OUT/results.tsv"
    local round last=$((RUNS + 1))
    for round in $(seq 1 $last); do
        for p in "${progs[@]}"; do
            local name cls cmd flags line args=() cmdv=()
            IFS='|' read -r name cls cmd flags <<<"$p"
            read -r -a cmdv <<<"$cmd"
            read -r -a args <<<"${flags:-}"
            mkdir -p "$WORK/home/$name"
            # every run of this program is a first start
            [ -d "$WORK/prog/$name" ] && rm -rf "$WORK/prog/$name/DATA"
            if [ "$round" = "$last" ]; then
                args+=(-T "$OUT/shots/$name-table.ppm" -s "$OUT/shots/$name-settled.ppm"
                    -S "import -window root $OUT/shots/$name-screen.png")
                log "$name: screenshot run"
            fi
            line=$(env -i "${base_env[@]}" HOME="$WORK/home/$name" "$WORK/bin/firstpaint" -c "$cls" \
                -l "$OUT/logs/$name-$round.log" "${args[@]}" -- "${cmdv[@]}" 2>>"$OUT/logs/$name.stderr" || true)
            [ "$round" = "$last" ] && continue
            log "$name run $round: $line"
            kv() { sed -n "s/.*\b$1=\([^ ]*\).*/\1/p" <<<"$line"; }
            printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$name" "$round" \
                "$([ "$round" = 1 ] && echo 1 || echo 0)" "$(kv ok)" "$(kv t_map)" "$(kv t_first)" "$(kv t_table)" \
                "$(kv t_settled)" "$(kv hwm_kb)" "$(kv hwm_table_kb)" "$(kv hwm3_kb)" "$(kv rss_kb)" "$(kv children)" \
                "$(kv children_hwm_kb)" "$(kv win)" "$(kv class)" >>"$OUT/results.tsv"
        done
    done
    for p in "$OUT"/shots/*.ppm; do [ -f "$p" ] && convert "$p" "${p%.ppm}.png" && rm -f "$p"; done
    echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$OUT/env.txt"
    grep -h -o "Activating service name='[^']*'" "$OUT/dbus.log" | sort -u | sed 's/^/bus: /' >>"$OUT/env.txt" || true
    kill "$dbus_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    summarize
}

summarize() {
    $PY - "$OUT/results.tsv" >"$OUT/summary.md" <<'EOF_SUM'
import csv, statistics, sys
rows = list(csv.DictReader(open(sys.argv[1]), delimiter='\t'))
order = []
for r in rows:
    if r['program'] not in order:
        order.append(r['program'])
def fmt(vals, scale=1.0, nd=3):
    if not vals:
        return '-'
    v = [x * scale for x in vals]
    return f"{statistics.median(v):.{nd}f} ({min(v):.{nd}f}-{max(v):.{nd}f})"
print("Warm runs: median (min-max). Times in s from exec; peak RSS = VmHWM in MiB at max(3 s, settled + 0.5 s).\n")
print("| program | warm runs ok | t_map | t_table (first visible table) | t_settled (dealt, still) | peak RSS MiB | peak RSS at t_table MiB | cold run: t_table / t_settled / RSS | window |")
print("|---|---|---|---|---|---|---|---|---|")
for p in order:
    warm = [r for r in rows if r['program'] == p and r['cold'] == '0']
    ok = [r for r in warm if r['ok'] == '1']
    cold = [r for r in rows if r['program'] == p and r['cold'] == '1']
    g = lambda k, rs: [float(r[k]) for r in rs if r[k] not in ('', '-1.0000', '-1')]
    c = cold[0] if cold else None
    cs = '-' if not c else f"{float(c['t_table']):.3f} / {float(c['t_settled']):.3f} / {int(c['hwm_kb'])/1024:.0f}" if c['ok'] == '1' else 'failed'
    hwm = [float(r['hwm_kb']) + float(r['children_hwm_kb'] or 0) for r in ok]
    print(f"| {p} | {len(ok)}/{len(warm)} | {fmt(g('t_map', ok))} | {fmt(g('t_table', ok))} | {fmt(g('t_settled', ok))} | "
          f"{fmt(hwm, 1/1024, 0)} | {fmt(g('hwm_table_kb', ok), 1/1024, 0)} | {cs} | {ok[0]['win'] if ok else '-'} |")
EOF_SUM
    cat "$OUT/summary.md"
    log "results in $OUT"
}

# ---------------------------------------------------------------- main
if [ $INSIDE = 1 ]; then
    eval "$PEERBENCH_STATE"
    measure
    exit 0
fi
mkdir -p "$WORK" "$OUT"
check_tools
build_tools
# The program finds its files beside itself: one copy of the executable per measured program,
# the data files linked.
for name in tarnwell tarnwell-dialog; do
    rm -rf "${WORK:?}/prog/$name"
    mkdir -p "$WORK/prog/$name"
    cp "$DIST/tarnwell" "$WORK/prog/$name/"
    for f in "$DIST"/*; do
        case "${f##*/}" in tarnwell | DATA) ;; *) ln -s "$f" "$WORK/prog/$name/" ;; esac
    done
done
# Re-run this script in a new network namespace (only a loopback, down): no program can reach a network.
PEERBENCH_STATE=$(declare -p RUNS WORK OUT SKIP EXTRA PY)
export PEERBENCH_STATE
if [ "$(id -u)" = 0 ]; then
    exec unshare -n -- "$SELF" --inside-netns
elif unshare -r -n true 2>/dev/null; then
    exec unshare -r -n -- "$SELF" --inside-netns
fi
log "no network namespace (not root, no user namespaces): measuring with the network up"
exec "$SELF" --inside-netns
