#!/usr/bin/env bash
# Builds the benchmarks in Release (build-release/, kept between runs) and prints one table:
# step, time, floor, ratio. Every step runs in the same process as its floor, the two
# interleaved in random order and repeated; each run compares medians. The whole set runs
# BENCH_RUNS times (default 3), and the table gives per step the median over the runs and their
# range (lowest-highest), with the load average seen around each run: one quiet run is no figure. Everything runs pinned
# to one core (BENCH_CPU, default 1), the OpenGL benchmarks and the start-up under Xvfb with
# Mesa's software renderer drawing on that core. BENCH_REPETITIONS (default 5) sets the repeats.
# In-process steps are timed in the process's CPU time, start-up in wall time. A second table gives
# the peak memory (largest resident set) of the start-up against the bare window's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/ccache-env.sh
# BENCH_BUILD_DIR: measure in another, already configured build folder instead (say build/).
dir=${BENCH_BUILD_DIR:-build-release}
if [ "$dir" = build-release ]; then
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPITWRIGHT_TESTS=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$dir" -j2 --target core_benchmarks gl_benchmarks window_benchmarks startup_benchmarks \
    wine_prefix_startup_benchmarks >/dev/null

reps=${BENCH_REPETITIONS:-5}
runs=${BENCH_RUNS:-3}
cpu=${BENCH_CPU:-1}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
common=(--benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true
        --benchmark_report_aggregates_only=true --benchmark_format=console --benchmark_color=false)
xvfb=(xvfb-run -a -s "-screen 0 1400x1000x24")
export LP_NUM_THREADS=0
bin=$dir/benchmarks
load() { local u; u=$(uptime); echo "${u##*load average: }"; }

# One run of the whole set: "step<TAB>time in µs<TAB>floor time in µs<TAB>floor" per step into
# run$1.tsv.
one_run() {
    local r=$out/run$1
    mkdir -p "$r"
    : >"$out/mem$1.tsv"
    taskset -c "$cpu" "$bin/core_benchmarks" "${common[@]}" --benchmark_min_time=0.2 >"$r/core.txt" 2>"$r/core.err"
    taskset -c "$cpu" "${xvfb[@]}" "$bin/gl_benchmarks" "${common[@]}" --benchmark_min_time=0.2 >"$r/gl.txt" 2>"$r/gl.err"
    # Import All and Export All clicked in the window (fields filled, preview repainted, backup
    # written), against the raw reads and writes of the same bytes.
    taskset -c "$cpu" "${xvfb[@]}" "$bin/window_benchmarks" "${common[@]}" --benchmark_min_time=0.2 \
        >"$r/window.txt" 2>"$r/window.err"
    taskset -c "$cpu" "${xvfb[@]}" "$bin/startup_benchmarks" "${common[@]}" --benchmark_min_time=1 >"$r/startup.txt" 2>"$r/startup.err"
    # Start-up finding an unregistered game behind 20 real-size Proton prefixes, against the
    # game's prefix alone.
    taskset -c "$cpu" "${xvfb[@]}" "$bin/wine_prefix_startup_benchmarks" "${common[@]}" --benchmark_min_time=1 \
        >"$r/prefixes.txt" 2>"$r/prefixes.err"
    cat "$r"/core.txt "$r"/gl.txt "$r"/window.txt "$r"/startup.txt "$r"/prefixes.txt | awk -v mem="$out/mem$1.tsv" '
    BEGIN { scale["ns"] = 0.001; scale["us"] = 1; scale["ms"] = 1000; scale["s"] = 1000000 }
    # Console rows of the medians: name, wall time, unit, CPU time, unit, iterations, counters.
    $1 ~ /_median$/ {
        name = $1; sub(/_median$/, "", name); sub(/\/manual_time$/, "", name); sub(/\/iterations:[0-9]+$/, "", name)
        # Peak memory: the counter peak_MB (printed with k for thousands), into a table of its own.
        for (i = 7; i <= NF; ++i) if ($i ~ /^peak_MB=/) {
            v = substr($i, 9); m = v ~ /k$/ ? 1000 : 1; sub(/k$/, "", v)
            floor = index(name, "@") ? substr(name, index(name, "@") + 1) : ""
            step = index(name, "@") ? substr(name, 1, index(name, "@") - 1) : name
            printf "%s\t%s\t%s\n", step, v * m, floor > mem
        }
        if (name ~ /^peak_memory/) next
        # In-process steps: CPU time of the process (user + system), steadier than the wall clock
        # on a shared machine; the start-up steps: the wall time of the started process.
        t[name] = name ~ /^(startup|bare_gl_window)/ ? $2 * scale[$3] : $4 * scale[$5]
        if (index(name, "@")) floorOf[substr(name, 1, index(name, "@") - 1)] = name
    }
    END {
        for (step in floorOf) {
            name = floorOf[step]; floor = substr(name, index(name, "@") + 1)
            printf "%s\t%s\t%s\t%s\n", step, t[name], (floor in t) ? t[floor] : "", floor
        }
    }' >"$out/run$1.tsv"
}

start=$(date +%s)
loads=()
for ((i = 1; i <= runs; ++i)); do
    before=$(load)
    one_run "$i"
    loads+=("run $i: ${before} -> $(load)")
done
minutes=$(( ($(date +%s) - start + 59) / 60 ))

echo "$(grep -m1 CMAKE_BUILD_TYPE "$dir/CMakeCache.txt" | cut -d= -f2) build, pinned to CPU $cpu, $runs runs of the whole set (about $minutes min),"
echo "each the medians of $reps interleaved repetitions; in-process steps in CPU time of the process,"
echo "start-up in wall time. Per step: the median over the runs, and [lowest-highest] over the runs."
echo "Load average (1, 5, 15 min) before -> after each run, $(nproc) cores:"
for l in "${loads[@]}"; do echo "  $l"; done
echo
# Median, lowest and highest of a space-separated list, for both tables.
stats_awk='
function median(list,   n, v, i, j, x) {
    n = split(list, v, " ")
    for (i = 2; i <= n; ++i) { x = v[i] + 0; for (j = i - 1; j >= 1 && v[j] + 0 > x; --j) v[j + 1] = v[j]; v[j + 1] = x }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}
function lowest(list,   n, v, i, m) { n = split(list, v, " "); m = v[1] + 0; for (i = 2; i <= n; ++i) if (v[i] + 0 < m) m = v[i] + 0; return m }
function highest(list,   n, v, i, m) { n = split(list, v, " "); m = v[1] + 0; for (i = 2; i <= n; ++i) if (v[i] + 0 > m) m = v[i] + 0; return m }
'
awk "$stats_awk"'
BEGIN {
    d["import_all"] = "Import All, data core"
    d["pread_import_ranges"] = "raw pread of the same ranges"
    d["export_all"] = "Export All, data core"
    d["pwrite_export_ranges_and_checksum"] = "raw pwrite of the same ranges + one checksum"
    d["archive_lookup_4000"] = "archive entry lookup, 4,000 entries"
    d["archive_first_lookup_4000"] = "first archive lookup, directory not kept yet, 4,000 entries"
    d["read_directory_4000"] = "raw read of the directory"
    d["frame_cockpit"] = "preview frame, cockpit view"
    d["frame_tcam"] = "preview frame, T-Cam view"
    d["frame_chase"] = "preview frame, chase view"
    d["frame_camera1"] = "preview frame, trackside camera"
    d["frame_camera4_no_car"] = "preview frame, camera without the car"
    d["clear_frame"] = "clear-only frame"
    d["drag_direction_field"] = "drag of a direction field (Dir and Pitch)"
    d["drag_preview_left"] = "drag in the preview (left button)"
    d["drag_dashboard_4000"] = "dashboard drag, 4,000-entry archive"
    d["helmet_drag_chase"] = "helmet drag, chase view"
    d["repaint_chase"] = "one bare repaint of the view"
    d["team_change_chase"] = "team change (car shape reload), chase view"
    d["team_change_chase_20000"] = "team change, 20,000-triangle bodies"
    d["reload_shape_chase"] = "the same two shapes reloaded in turn, no selection"
    d["reload_shape_chase_20000"] = "the same two shapes reloaded in turn, no selection"
    d["import_all_clicked"] = "Import All clicked (window filled, preview repainted)"
    d["window_pread_import_ranges"] = "raw pread of the same ranges"
    d["export_all_clicked"] = "Export All clicked (backup written)"
    d["window_pwrite_export_ranges_and_checksum"] = "raw pwrite of the same ranges + one checksum"
    d["export_all_clicked_backup_work"] = "Export All clicked, against the same work done raw"
    d["export_all_changed_clicked"] = "Export All of an edit clicked, 21 backups kept"
    d["window_export_keeping_backups_raw"] = "the same work raw, each backup kept, its record replaced after, the oldest removed"
    d["window_export_and_backup_raw"] = "the same writes and checksum, the executable and save-state hashed before and after and copied with a record of the copies, all flushed"
    d["repaint_camera1"] = "one bare repaint of the view"
    d["repaint_cockpit"] = "one bare repaint of the view"
    d["shape_parse_compile_20000"] = "car shape parse + compile, 20,000 triangles"
    d["shape_parse_compile_60000"] = "car shape parse + compile, 60,000 triangles"
    d["raw_compile_20000"] = "the same triangles into a list from arrays"
    d["raw_compile_60000"] = "the same triangles into a list from arrays"
    d["wine_registry_game_keys"] = "game keys from a 16 MB Wine registry"
    d["count_registry_lines"] = "counting the lines of the same registry"
    d["startup_behind_20_wine_prefixes"] = "start-up, game found behind 20 Proton prefixes"
    d["startup_game_prefix_only"] = "the game in the only prefix"
    d["startup_first_preview_frame"] = "start-up to first preview frame (whole process)"
    d["bare_gl_window"] = "bare Qt window, empty GL widget"
    g["import_all"] = "<= 2x"; g["export_all"] = "<= 1.3x"; g["archive_lookup_4000"] = "<= 3x"; g["archive_first_lookup_4000"] = "<= 3x"
    g["drag_direction_field"] = "<= 1.2x"; g["drag_preview_left"] = "<= 1.2x"
    g["drag_dashboard_4000"] = "<= 1.2x"; g["startup_first_preview_frame"] = "<= 1.4x"
    g["helmet_drag_chase"] = "<= 1.2x"; g["team_change_chase"] = "<= 1.3x"; g["team_change_chase_20000"] = "<= 1.3x"
    g["import_all_clicked"] = "-"; g["export_all_clicked"] = "-"; g["export_all_clicked_backup_work"] = "<= 1.3x"; g["export_all_changed_clicked"] = "<= 1.3x"
    ns = split("import_all export_all import_all_clicked export_all_clicked export_all_clicked_backup_work export_all_changed_clicked archive_lookup_4000 archive_first_lookup_4000 " \
               "drag_direction_field drag_preview_left drag_dashboard_4000 helmet_drag_chase team_change_chase " \
               "team_change_chase_20000 startup_first_preview_frame frame_cockpit frame_tcam frame_chase " \
               "frame_camera1 frame_camera4_no_car shape_parse_compile_20000 shape_parse_compile_60000 " \
               "wine_registry_game_keys startup_behind_20_wine_prefixes", steps, " ")
    scale["ns"] = 0.001; scale["us"] = 1; scale["ms"] = 1000; scale["s"] = 1000000
}
function shown(us) {
    if (us >= 100000) return sprintf("%.3f s", us / 1000000)
    if (us >= 1000) return sprintf("%.2f ms", us / 1000)
    return sprintf("%.1f µs", us)
}
function span(list, isRatio) {
    if (isRatio) return sprintf("%.2fx [%.2f-%.2f]", median(list), lowest(list), highest(list))
    return sprintf("%s [%s-%s]", shown(median(list)), shown(lowest(list)), shown(highest(list)))
}
# Rows of the runs: step, time, floor time, floor.
{
    seen[$1] = 1; floorName[$1] = $4; time[$1] = time[$1] " " $2
    if ($3 != "") { floorTime[$1] = floorTime[$1] " " $3; ratio[$1] = ratio[$1] " " ($2 / $3) }
}
END {
    printf "| step | time | floor | floor time | ratio | goal |\n|---|---|---|---|---|---|\n"
    for (i = 1; i <= ns; ++i) {
        step = steps[i]
        if (!(step in seen)) continue
        if (!(step in ratio)) { printf "| %s | %s | %s | (missing) | | |\n", d[step], span(time[step], 0), d[floorName[step]]; continue }
        printf "| %s | %s | %s | %s | %s | %s |\n", d[step], span(time[step], 0), d[floorName[step]], span(floorTime[step], 0), span(ratio[step], 1), (step in g) ? g[step] : "-"
    }
}' FS='\t' "$out"/run*.tsv

# ---- Peak memory (largest resident set) of the editor started to its first preview frame,
# against the bare GL window's, per run the median of its repetitions.
echo
awk "$stats_awk"'
{ mb[$1] = mb[$1] " " $2; if ($3 != "") floorOf[$1] = $3 }
END {
    printf "| step | peak memory | floor | floor peak memory | ratio |\n|---|---|---|---|---|\n"
    for (step in floorOf) {
        f = floorOf[step]
        if (!(f in mb)) continue
        split(mb[step], s, " "); split(mb[f], b, " "); r = ""
        for (i in s) r = r " " (s[i] / b[i])
        printf "| start-up to first preview frame (whole process) | %.1f MB [%.1f-%.1f] | bare GL window | %.1f MB [%.1f-%.1f] | %.2fx [%.2f-%.2f] |\n",
            median(mb[step]), lowest(mb[step]), highest(mb[step]), median(mb[f]), lowest(mb[f]), highest(mb[f]),
            median(r), lowest(r), highest(r)
    }
}' FS='\t' "$out"/mem*.tsv

# ---- The command line: dump against the data core's reading of the game plus the JSON written,
# in the same process (goal <= 2x). Kept apart from the table above.
cmake --build "$dir" -j2 --target cli_benchmarks >/dev/null
taskset -c "$cpu" "$bin/cli_benchmarks" "${common[@]}" --benchmark_min_time=0.2 >"$out/cli.txt" 2>"$out/cli.err"
echo
awk '
$1 ~ /_median$/ { name = $1; sub(/_median$/, "", name); t[name] = $4; u[name] = $5 }
END {
    printf "| step | time | floor | floor time | ratio | goal |\n|---|---|---|---|---|---|\n"
    printf "| dump of the demo game | %s %s | data-core read + JSON written | %s %s | %.2fx | <= 2x |\n",
        t["dump@read_game_and_json"], u["dump@read_game_and_json"], t["read_game_and_json"],
        u["read_game_and_json"], t["dump@read_game_and_json"] / t["read_game_and_json"]
}' "$out/cli.txt"
