#!/usr/bin/env python3
"""Writes the benchmark report, Markdown and a chart, from the results that scripts/bench keeps.

usage: bench_report.py RESULTS DOC CHART [ANALYSIS]
RESULTS holds one measurement a line, tab-separated: workload, case, tool, run, key, value ("-"
where there is no case or tool; run 0 for a fact about the workload rather than a run). ANALYSIS,
hand-written prose, is appended to DOC as it is.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import textwrap
from collections import namedtuple

from tabulate import tabulate

Row = namedtuple("Row", "workload case tool run key value")

THROUGHPUT = {"large": "Large", "small": "Small", "mixed": "Mixed", "empty": "Empty"}
TOOLS = {"ferrix": "Ferrix (ferrix.exe, Wine)",
         "ferrix-before": "Ferrix before (ferrix.exe of {commit}, Wine)",
         "bare": "Bare loop (bare_copy.exe: list, read, write, close; Wine)",
         "xcopy": "xcopy.exe /E /I /Y /Q (Wine)", "cp": "cp -r (native)",
         "rsync": "rsync -a (native)"}
CHART_TOOLS = ("ferrix", "bare", "xcopy", "cp", "rsync")  # the order of bench_chart.gp's columns
# Ferrix's median time over xcopy.exe's, at most; and over the bare loop's where per-file work
# decides, so that what Ferrix does per file beyond a plain copy stays small.
XCOPY_LIMIT = {"large": 0.50, "small": 0.80, "mixed": 0.80, "empty": 0.70}
BARE_LIMIT = {"small": 1.25}
REQUESTS_LIMIT = 13  # wineserver requests per 4 KiB file, at most
THROTTLE_BAND = (0.95, 1.00)
# The lowest achieved / limit of the reference run, whose limits gave 0.946-0.973: no limit may
# do worse than that.
THROTTLE_FLOOR = 0.946
# An entry is a 256-byte block, its allocator header and its pointer, whose sizes follow the
# build's pointer width: 268 bytes in the 32-bit product.
ENTRY_HEADER_AND_POINTER = {"i686": (8, 4), "x86_64": (16, 8)}
FIRST_FILE_LIMIT = 2.0  # Start to first file, over a native find | sort of the same tree
ANSWER_MS = 100  # the dialog's worst answer
# Verified Ferrix's median time over unverified Ferrix's on the same data, at most.
VERIFY_LIMIT = {"large": 2.10, "small": 2.00}
VERIFY_TOOLS = {"ferrix": "unverified", "ferrix-verify": "verified (verify=1)"}
HASH_GB_PER_S = 5.0  # the content hash, so that verification costs the disk's time, not the CPU's
WIDTH = 98


def load(path):
    rows = []
    with open(path, encoding="utf-8") as results:
        for line in results:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 6:
                rows.append(Row(*fields))
    return rows


class Results:
    def __init__(self, rows):
        self.rows = rows

    def has(self, workload):
        return any(r.workload == workload and r.run != "0" for r in self.rows)

    def fact(self, workload, key, case="-"):
        for r in self.rows:
            if (r.workload, r.case, r.run, r.key) == (workload, case, "0", key):
                return r.value
        return None

    def number(self, workload, key, case="-"):
        value = self.fact(workload, key, case)
        return float(value) if value not in (None, "") else None

    def texts(self, workload, tool, key, case="-"):
        """One value a run, in run order."""
        found = [r for r in self.rows if (r.workload, r.case, r.tool, r.key) ==
                 (workload, case, tool, key) and r.run != "0"]
        return [r.value for r in sorted(found, key=lambda r: int(r.run))]

    def values(self, workload, tool, key, case="-"):
        return [float(v) for v in self.texts(workload, tool, key, case) if v != ""]

    def median(self, workload, tool, key, case="-"):
        values = self.values(workload, tool, key, case)
        return statistics.median(values) if values else None

    def cases(self, workload):
        return sorted({r.case for r in self.rows if r.workload == workload and r.case.isdigit()},
                      key=int)


Target = namedtuple("Target", "workload wanted figure met")


def windows_arch(results):
    """The processor the Windows programs were built for; runs recorded before the fact was
    kept were all i686."""
    return results.fact("host", "windows_arch") or "i686"


def paragraph(text):
    return textwrap.fill(" ".join(text.split()), WIDTH, break_on_hyphens=False,
                         break_long_words=False)


def bullet(text):
    return textwrap.fill(text, WIDTH, initial_indent="- ", subsequent_indent="  ",
                         break_on_hyphens=False, break_long_words=False)


def cell(text):
    return text.replace("|", "\\|")


def table(headers, rows, align):
    """A Markdown pipe table of cells given as text (numbers formatted already); align holds one
    letter a column: l(eft) or r(ight)."""
    sides = {"l": "left", "r": "right"}
    return tabulate(rows, headers, tablefmt="pipe", disable_numparse=True,
                    colalign=[sides[a] for a in align]).splitlines()


def verdict(met):
    """met True, False, or None where the runs cannot tell."""
    return "unclear" if met is None else "met" if met else "NOT met"


def judged(ferrix, peer, limit):
    """Ferrix's times against the peer's scaled by the limit: met or not where their min-max
    ranges lie apart, None (unclear) where they overlap."""
    if not ferrix or not peer:
        return None
    if max(ferrix) < limit * min(peer):
        return True
    if min(ferrix) > limit * max(peer):
        return False
    return None


def judged_at_most(values, limit):
    """A count's runs against its limit: met where all lie at or below it, not met where all
    lie above, None (unclear) where the runs fall on both sides."""
    if not values:
        return None
    if max(values) <= limit:
        return True
    if min(values) > limit:
        return False
    return None


def range_text(values, scale=1.0):
    return f"{scale * min(values):.3f}-{scale * max(values):.3f}" if values else "n/a"


def ratio(a, b):
    return a / b if a is not None and b else None


def fmt(value, digits=3):
    return "n/a" if value is None else f"{value:.{digits}f}"


def size_text(size):
    for unit, scale in (("MiB", 1048576), ("KiB", 1024)):
        if size >= scale and size % scale == 0:
            return f"{size // scale} {unit}"
    return f"{size:,} byte" + ("" if size == 1 else "s")


def data_text(results, name, case="-"):
    """'20,000 files of 4 KiB in 200 folders', from the facts of the data made."""
    files, folders, depth, low, high, total = (
        int(results.number(name, key, case) or 0)
        for key in ("files", "folders", "depth", "min_bytes", "max_bytes", "bytes"))
    text = f"{files:,} files of " + (size_text(low) if low == high else
                                     f"{size_text(low)} to {size_text(high)} (log-uniform "
                                     f"sizes, {total:,} bytes)")
    if folders > 1:
        text += f" in {folders:,} folders" + (f" nested {depth} deep" if depth > 1 else "")
    return text


def conditions(results, name, runs_of, cache=True):
    """'Measured ... UTC: 3 runs per tool, cold reads.' for one workload."""
    runs = int(results.number(name, "runs") or 0)
    text = f"Measured {results.fact(name, 'measured_at')} UTC: {runs} run"
    text += ("" if runs == 1 else "s") + f" {runs_of}"
    if cache:
        text += ", cold reads" if results.fact(name, "cache") == "cold" else (
            ", warm reads (the page cache could not be dropped)")
    return text + "."


def header(results):
    dates = sorted(r.value for r in results.rows if r.key == "measured_at")
    when = dates[0]
    if dates[-1] != dates[0]:  # the last date only where it differs from the first
        when += " to " + (dates[-1].split()[1] if dates[-1][:10] == dates[0][:10] else dates[-1])
    memory = (results.number("host", "memory_kib") or 0) / 2 ** 20
    settle_seconds = results.number("host", "settle_seconds")
    settle = (f", and the run then waits {settle_seconds:.0f} s for the host's own write-back"
              if settle_seconds else "")
    reporting = ("The guest's free page reporting (memory it frees handed back to the VM's host, "
                 "which faults it in again at its next first touch, so that the writes of each run "
                 "after a drop of the page cache paid for it, some runs far more than others) is "
                 "paused while the bench runs."
                 if results.fact("host", "page_reporting") == "paused" else "")
    # A host that runs no 32-bit code gets the Windows programs built for x86-64.
    arch = ("; the Windows programs, xcopy.exe's included, are 64-bit builds (this host runs no "
            "32-bit code)" if windows_arch(results) == "x86_64" else "")
    lines = ["# Benchmarks", ""]
    lines.append(paragraph(f"""
        Measured with `scripts/bench` ({when} UTC); {results.fact('host', 'cpus')} CPUs,
        {memory:.0f} GiB RAM, {results.fact('host', 'file_system')} file system,
        {results.fact('host', 'wine')}{arch}. Ferrix runs for real: `ferrix.exe` under Wine, its job
        loaded from a settings file through Load and the open dialog, started with Start; its time
        runs from the Start click to the completion text (polled every 5 ms from the copy of the
        label's text that the window system keeps, so that the polling sends the dialog no message),
        so it leaves out the program's start; so does the bare loop's, timed inside it. The other
        peers' times are the wall time of the whole command (for `xcopy.exe` that includes starting
        a Wine process, a few tens of ms with a running wineserver). Every copy is compared with its
        source afterwards. The page cache is dropped before every run where the system allows it,
        and `sync` runs before every run so that one run's write-back does not land in the
        next{settle}; no tool is made to flush its own writes to disk. {reporting} The bare loop is
        a small Win32 program that lists, creates the folders, reads and writes each file through
        one buffer and closes (no temporary name, no sorting): what Wine itself allows. Tools run
        interleaved on the same data, after one run that is not recorded (the host is still writing
        the new data back), in a Williams order: each tool takes each place once, and within the
        rounds no tool follows the same tool twice. The tables give the median of the runs and their
        min-max range, and a verdict is "unclear" where Ferrix's range and the peer's, scaled by the
        target, overlap. MB/s is 10^6 bytes per second."""))
    return lines


def tool_label(results, name, tool):
    return TOOLS[tool].format(commit=results.fact(name, "baseline_commit"))


def throughput_section(results, name, index):
    title = f"## {index}. {THROUGHPUT[name]}: {data_text(results, name)}, unlimited speed"
    lines = [title, "", conditions(results, name, "per tool, interleaved"), ""]
    total = results.number(name, "bytes") or 0
    files = results.number(name, "files") or 0
    medians = {tool: results.median(name, tool, "seconds") for tool in TOOLS}
    rows = []
    for tool in TOOLS:
        m = medians[tool]
        if m is None:
            continue
        values = results.values(name, tool, "seconds")
        rows.append([tool_label(results, name, tool), f"{m:.3f}", range_text(values),
                     fmt(total / m / 1e6, 1) if total and m else "n/a", fmt(ratio(files, m), 0),
                     fmt(ratio(m, medians["xcopy"]), 2), fmt(ratio(m, medians["bare"]), 2),
                     " ".join(f"{v:.3f}" for v in values)])
    lines += table(["Tool", "Median wall time (s)", "Min-max (s)", "MB/s", "Files/s",
                    "Time / xcopy.exe's", "Time / bare loop's", "Runs (s)"], rows, "lrrrrrrl")
    lines += ["", "Targets:", ""]
    targets = []
    for tool, peer, limits in (("xcopy", "xcopy.exe", XCOPY_LIMIT),
                               ("bare", "the bare loop", BARE_LIMIT)):
        if name not in limits:
            continue
        limit = limits[name]
        share = ratio(medians["ferrix"], medians[tool])
        ferrix, other = (results.values(name, t, "seconds") for t in ("ferrix", tool))
        target = Target(name, f"Ferrix's median time at most {limit:.2f}x {peer}'s",
                        f"{fmt(share, 2)}x", judged(ferrix, other, limit))
        targets.append(target)
        lines.append(bullet(f"{target.wanted}: **{verdict(target.met)}** "
                            f"(Ferrix takes {target.figure} {peer}'s time; Ferrix's runs "
                            f"{range_text(ferrix)} s, {peer}'s x {limit:.2f} "
                            f"{range_text(other, limit)} s)."))
    return lines, targets


def spread_text(samples, limit):
    """Lowest and highest status-line reading (kb/s, 1 kb = 1000 bytes), in % of the limit."""
    if not samples:
        return "no readings"
    low, high = min(samples) * 1000 / limit * 100, max(samples) * 1000 / limit * 100
    return f"{low:.1f}-{high:.1f}%"


def throttle_rows(results):
    """Per limit: (requested B/s, the slider's limit, {tool: achieved / limit}, table rows)."""
    seconds = results.number("throttle", "seconds") or 10
    for case in results.cases("throttle"):
        limit = results.number("throttle", "limit", case)
        size = int(case) * seconds
        shares, rows = {}, []
        for tool in ("ferrix", "rsync", "pv"):
            m = results.median("throttle", tool, "seconds", case)
            if m is None:
                continue
            shares[tool] = size / m / limit
            rows.append([case, results.fact("throttle", "position", case), f"{limit:.0f}",
                         f"{size:.0f}", tool, f"{m:.3f}", f"{size / m:.1f}",
                         f"{shares[tool]:.3f}"])
        yield case, limit, shares, rows


def throttle_section(results, index):
    seconds = results.number("throttle", "seconds") or 10
    low, high = THROTTLE_BAND
    lines = [f"## {index}. Throttle accuracy: one file of {seconds:.0f} s worth at each limit",
             "", paragraph("""
        The slider's top position means unlimited, so 10 MB/s is taken at the highest limited
        position, 161180 = 9,999,039 B/s. Each requested limit uses the smallest slider position
        that reaches it; achieved = bytes / wall time, compared with the slider's limit
        (`rsync --bwlimit` and `pv -L` get the same limit in bytes). Ferrix's readings are the
        speed figure of its status line, which is the average since the job began (so the first
        readings are low and the spread narrows)."""),
             "", conditions(results, "throttle", "per tool and limit"), ""]
    speeds, verdicts = [], []
    ferrix = []
    closer = 0
    for case, limit, shares, rows in throttle_rows(results):
        speeds += rows
        if "ferrix" not in shares:
            continue
        q = shares["ferrix"]
        r = shares.get("rsync")
        near = r is not None and abs(q - 1) <= abs(r - 1)
        ferrix.append(q)
        closer += near
        first = results.texts("throttle", "ferrix", "speed_samples", case)[:1]
        samples = [float(s) for s in first[0].split(",") if s] if first else []
        shown = ",".join(f"{s:.2f}" for s in samples)
        shown = shown if len(shown) <= 80 else shown[:77] + "..."
        verdicts.append([case, f"{q:.3f}", verdict(low <= q <= high), verdict(q >= THROTTLE_FLOOR),
                         f"{verdict(near)} ({fmt(r)})", shown, spread_text(samples, limit)])
    lines += table(["Requested (B/s)", "Slider position", "Slider's limit (B/s)", "Bytes", "Tool",
                    "Median wall time (s)", "Achieved B/s", "Achieved / limit"], speeds,
                   "rrrrlrrr")
    lines += [""] + table(["Requested (B/s)", "Ferrix: achieved / limit",
                           f"Within {low:.2f}-{high:.2f}", f"Not below {THROTTLE_FLOOR}",
                           "No further from the limit than rsync (rsync's figure)",
                           "Ferrix's status-line speed, read once a second (kb/s)",
                           "Spread of those readings (% of limit)"], verdicts, "rrlllll")
    if not ferrix:
        return lines, []
    span = f"{min(ferrix):.3f}-{max(ferrix):.3f}"
    targets = [
        Target("throttle", f"Ferrix's achieved / limit within {low:.2f}-{high:.2f} at every limit",
               span, all(low <= q <= high for q in ferrix)),
        Target("throttle", f"Ferrix's achieved / limit not below {THROTTLE_FLOOR} at any limit "
               "(the reference run gave 0.946-0.973)", span, min(ferrix) >= THROTTLE_FLOOR),
        Target("throttle", "Ferrix no further from the limit than rsync --bwlimit at every limit",
               f"{closer} of {len(ferrix)} limits", closer == len(ferrix))]
    lines += ["", "Targets:", ""]
    lines += [bullet(f"{t.wanted}: **{verdict(t.met)}** ({t.figure}).") for t in targets]
    return lines, targets


def scale_section(results, index):
    files = int(results.number("scale", "files") or 0)
    copy_seconds = results.number("scale", "copy_seconds")
    first = results.median("scale", "ferrix", "first_file_seconds")
    find = results.median("scale", "find", "seconds")
    peak_pf = results.median("scale", "ferrix", "peak_pagefile_bytes")
    peak_ws = results.median("scale", "ferrix", "peak_working_set_bytes")
    worst = max(results.values("scale", "ferrix", "worst_answer_ms"), default=None)
    answer = results.median("scale", "ferrix", "median_answer_ms")
    whole = results.median("scale", "ferrix", "seconds")
    base = results.median("scale", "ferrix", "peak_pagefile_bytes", "one-file") or 0
    lines = [f"## {index}. Scale: {data_text(results, 'scale')}", "", paragraph(f"""
        Ferrix scans and sorts all {files:,} files, copies for {copy_seconds:.0f} s after the
        first file and is then stopped with Stop (the whole copy would take many minutes under
        Wine; the figures below are reached by then). The driver sends WM_NULL to the dialog
        every 50 ms from Start on and times each round trip. Memory: the peak private bytes
        (PeakPagefileUsage) of the process, compared with the same program running a one-file
        job (the fixed base)."""), "",
             conditions(results, "scale", "of Ferrix and of find | sort"), ""]
    first_ratio = ratio(first, find)
    per_entry = (peak_pf - base) / files if peak_pf is not None and files else None
    allocator_header, pointer = ENTRY_HEADER_AND_POINTER[windows_arch(results)]
    entry_bytes = 256 + allocator_header + pointer
    targets = [
        Target("scale", f"Start to first file within {FIRST_FILE_LIMIT:.0f}x find | sort",
               f"{fmt(first_ratio, 2)}x",
               first_ratio is not None and first_ratio <= FIRST_FILE_LIMIT),
        Target("scale", f"peak private memory at most the base + {entry_bytes} B per entry",
               f"{fmt(per_entry, 1)} B per entry",
               per_entry is not None and per_entry <= entry_bytes),
        Target("scale", f"the dialog's worst answer under {ANSWER_MS} ms",
               f"{fmt(worst, 1)} ms", worst is not None and worst < ANSWER_MS)]
    lines += table(["Figure", "Ferrix", "Reference", "Target", "Verdict"], [
        ["Start to first file (scan and sort), s", fmt(first),
         f"find \\| sort (native): {fmt(find)}", f"within {FIRST_FILE_LIMIT:.0f}x",
         f"{verdict(targets[0].met)} ({targets[0].figure})"],
        ["Whole job, Start to completion, s", fmt(whole), "", "", ""],
        ["Peak private memory (PeakPagefileUsage), bytes", fmt(peak_pf, 0),
         f"one-file job (the base): {base:.0f}",
         f"base + {entry_bytes} B x {files:,} (256-byte block + {allocator_header}-byte "
         f"allocator header + {pointer}-byte pointer)",
         f"{verdict(targets[1].met)} ({targets[1].figure} above the base)"],
        ["Peak working set, bytes", fmt(peak_ws, 0), "", "", ""],
        ["Dialog answer (WM_NULL round trip every 50 ms), worst / median ms",
         f"{fmt(worst, 1)} / {fmt(answer, 2)}", "", f"worst under {ANSWER_MS} ms",
         verdict(targets[2].met)]], "lrrll")
    return lines, targets


def count_text(value):
    return fmt(value, 0 if value is None or value % 1 == 0 else 1)


def requests_per_file(results, tool):
    """{'requests': ..., 'log_lines': ...} per small file for one ferrix.exe, where measured."""
    cases = results.cases("requests")
    small, large = cases[0], cases[-1]
    per_file = {}
    for key in ("requests", "log_lines"):
        medians = [results.median("requests", tool, key, case) for case in (small, large)]
        if None not in medians and large != small:
            per_file[key] = (medians[1] - medians[0]) / (int(large) - int(small))
    return per_file


def requests_per_file_runs(results, tool):
    """Requests per small file, one figure per run: that run's large job less its small one."""
    cases = results.cases("requests")
    small, large = cases[0], cases[-1]
    if large == small:
        return []
    pairs = zip(results.values("requests", tool, "requests", small),
                results.values("requests", tool, "requests", large))
    return [(b - a) / (int(large) - int(small)) for a, b in pairs]


def requests_section(results, index):
    size = int(results.number("requests", "file_bytes") or 0)
    small, large = results.cases("requests")[0], results.cases("requests")[-1]
    tools = [t for t in ("ferrix", "ferrix-before") if results.values("requests", t, "requests",
                                                                        small)]
    lines = [f"## {index}. Wineserver requests per small file", "", paragraph(f"""
        Counted in the log of a wineserver started with `-d1`, from every process together
        (Ferrix, the driver that times it, Wine's own): a job of {large} files of
        {size_text(size)} in one folder less a job of {small} such files, divided by the
        difference in files. A request is counted once; the log's lines are counted too, for
        comparison with counts of the whole log (each request's reply is a line of its own,
        and so is every wake-up and file descriptor passed)."""), "",
             conditions(results, "requests", "per job, interleaved", cache=False), ""]
    rows = []
    for case in (small, large) if small != large else (small,):
        for tool in tools:
            cells = [f"{case} files", tool_label(results, "requests", tool)]
            for key in ("requests", "log_lines"):
                runs = results.values("requests", tool, key, case)
                cells += [" ".join(f"{v:.0f}" for v in runs),
                          count_text(results.median("requests", tool, key, case))]
            rows.append(cells)
    lines += table(["Job", "Program", "Requests, per run", "Median", "Log lines, per run",
                    "Median"], rows, "lllrlr")
    lines.append("")
    for tool in tools:
        per_file = requests_per_file(results, tool)
        if "requests" in per_file:
            lines.append(bullet(f"Per small file, {tool_label(results, 'requests', tool)}: "
                                f"**{per_file['requests']:.1f} requests** "
                                f"({fmt(per_file.get('log_lines'), 1)} log lines)."))
    runs = requests_per_file_runs(results, "ferrix")
    target = Target("requests", f"wineserver requests per {size_text(size)} file at most "
                    f"{REQUESTS_LIMIT}", f"{range_text(runs)} per run",
                    judged_at_most(runs, REQUESTS_LIMIT))
    lines += ["", "Targets:", "", bullet(f"{target.wanted}: **{verdict(target.met)}** "
                                         f"({target.figure}).")]
    return lines, [target]


def grouped(results, names, keys):
    """{(fact, ...): [workload, ...]}: the workloads that share those facts."""
    groups = {}
    for name in names:
        groups.setdefault(tuple(results.fact(name, k) for k in keys), []).append(name)
    return groups


def baseline_text(results, names):
    """Which commits 'before' and 'now' are, and the commands that measured them."""
    text = ""
    commits = grouped(results, names, ("baseline_commit", "baseline_subject", "commit"))
    for (before, subject, now), members in commits.items():
        where = "" if len(commits) == 1 else f"{', '.join(members)}: "
        text += (f"{where}Before is ferrix.exe built from commit `{before}` (\"{subject}\"), "
                 f"now is the working tree at commit `{now}`. ")
    commands = grouped(results, names, ("baseline_command",))
    shown = [f"`{command}`" + ("" if len(commands) == 1 else f" ({', '.join(members)})")
             for (command,), members in commands.items()]
    return paragraph(text + "Both ran interleaved on the same data. The figures come from " +
                     " and ".join(shown) + ".")


def before_after_section(results):
    """Ferrix now against the ferrix.exe of an earlier commit, where a run measured both."""
    names = [n for n in THROUGHPUT if results.values(n, "ferrix-before", "seconds")]
    requests = results.has("requests") and "requests" in requests_per_file(results,
                                                                            "ferrix-before")
    measured = names + (["requests"] if requests else [])
    lines = ["## Before and after", "", baseline_text(results, measured)]
    rows = []
    for name in names:
        before, now, xcopy = (results.median(name, tool, "seconds")
                              for tool in ("ferrix-before", "ferrix", "xcopy"))
        rows.append([f"{THROUGHPUT[name]}: {data_text(results, name)}", fmt(before), fmt(now),
                     fmt(ratio(now, before), 2), fmt(xcopy), fmt(ratio(before, xcopy), 2),
                     fmt(ratio(now, xcopy), 2)])
    if rows:
        lines += [""] + table(["Workload", "Ferrix before, median (s)", "Ferrix now, median (s)",
                               "Now / before", "xcopy.exe, median (s)", "Before / xcopy.exe",
                               "Now / xcopy.exe"], rows, "lrrrrrr")
    if requests:
        before = requests_per_file(results, "ferrix-before").get("requests")
        now = requests_per_file(results, "ferrix").get("requests")
        lines += ["", paragraph(f"""
            Wineserver requests per small file (counted as in the requests section below):
            before {fmt(before, 1)}, now {fmt(now, 1)}, now / before
            {fmt(ratio(now, before), 2)}.""")]
    return lines if names or requests else []


def hash_section(results, index):
    gb = [speed / 1e9 for speed in results.values("hash", "ferrix", "bytes_per_second")]
    median = results.median("hash", "ferrix", "bytes_per_second")
    mib = int(results.number("hash", "mib") or 0)
    target = Target("hash", f"the content hash at least {HASH_GB_PER_S:.0f} GB/s",
                    f"{range_text(gb)} GB/s", min(gb) >= HASH_GB_PER_S if gb else None)
    arch = windows_arch(results)
    lines = [f"## {index}. Content hash", "", paragraph(f"""
        XXH3-128, as a verified copy hashes what it reads and what it reads back, in the
        product's own {arch} build under Wine: one copy buffer hashed again and again, {mib} MiB
        in all, from memory (no disk)."""), "",
             conditions(results, "hash", "of hash_speed.exe", cache=False), ""]
    lines += table(["Figure", "Median", "Min-max", "Target", "Verdict"],
                   [["Hash speed, GB/s", fmt(median and median / 1e9, 2), range_text(gb),
                     f"at least {HASH_GB_PER_S:.0f} GB/s", verdict(target.met)]], "lrrll")
    return lines, [target]


def verify_section(results, index):
    """Ferrix with and without verified copies on the data of Large and Small."""
    lines = [f"## {index}. Verified copies: Ferrix with and without verification", ""]
    if not results.has("verify"):
        return lines + ["Not measured yet (`BENCH_WORKLOADS=verify scripts/bench`)."], []
    lines += [paragraph("""
        Each copy is flushed and read back before it gets its name. Unverified is the same
        ferrix.exe and job file as Ferrix in the Large and Small sections, so whether the
        option costs anything when off shows there (with `--baseline`, against an earlier
        commit)."""),
              "", conditions(results, "verify", "per tool and data, interleaved"), ""]
    targets, bullets, rows = [], [], []
    for case, limit in VERIFY_LIMIT.items():
        plain, checked = (results.values("verify", tool, "seconds", case) for tool in VERIFY_TOOLS)
        data = f"{THROUGHPUT[case]}: {data_text(results, 'verify', case)}"
        if not plain and not checked:
            rows.append([THROUGHPUT[case], "not measured yet", "", "", "", "", ""])
            continue
        total = results.number("verify", "bytes", case) or 0
        medians = [results.median("verify", tool, "seconds", case) for tool in VERIFY_TOOLS]
        share = ratio(medians[1], medians[0])
        for tool, values, m in zip(VERIFY_TOOLS, (plain, checked), medians):
            rows.append([data, VERIFY_TOOLS[tool], fmt(m), range_text(values),
                         fmt(ratio(total / 1e6, m), 1),
                         fmt(share, 2) if tool == "ferrix-verify" else "",
                         " ".join(f"{v:.3f}" for v in values)])
        target = Target("verify", f"{THROUGHPUT[case]}: verified Ferrix's median time at most "
                        f"{limit:.2f}x unverified Ferrix's", f"{fmt(share, 2)}x",
                        judged(checked, plain, limit))
        targets.append(target)
        bullets.append(bullet(f"{target.wanted}: **{verdict(target.met)}** (verified takes "
                              f"{target.figure} the unverified time; verified runs "
                              f"{range_text(checked)} s, unverified x {limit:.2f} "
                              f"{range_text(plain, limit)} s)."))
    lines += table(["Data", "Ferrix", "Median wall time (s)", "Min-max (s)", "MB/s",
                    "Verified / unverified", "Runs (s)"], rows, "llrrrrl")
    return lines + (["", "Targets:", ""] + bullets if bullets else []), targets


def summary(targets):
    met = sum(1 for t in targets if t.met is True)
    lines = ["## Targets", "", paragraph(f"""
        {met} of {len(targets)} targets met; an unclear verdict (the runs' ranges overlap) is
        not counted as met."""), ""]
    return lines + table(["Workload", "Target", "Figure", "Verdict"],
                         [[t.workload, cell(t.wanted), cell(t.figure), f"**{verdict(t.met)}**"]
                          for t in targets], "llll")


def report(results, analysis):
    sections, targets = [], []
    for index, name in enumerate(THROUGHPUT, start=1):
        if results.has(name):
            lines, found = throughput_section(results, name, index)
            sections.append(lines)
            targets += found
    for index, name, write in ((5, "throttle", throttle_section), (6, "scale", scale_section),
                               (7, "requests", requests_section), (8, "hash", hash_section)):
        if results.has(name):
            lines, found = write(results, index)
            sections.append(lines)
            targets += found
    lines, found = verify_section(results, 9)  # its absence shown: the option is new
    sections.append(lines)
    targets += found
    lines = header(results)
    for section in [summary(targets) if targets else [], before_after_section(results)] + sections:
        if section:
            lines += [""] + section
    if analysis and os.path.exists(analysis):  # the measured reasons, written by hand
        with open(analysis, encoding="utf-8") as prose:
            lines += ["", prose.read().rstrip("\n")]
    return "\n".join(lines) + "\n"


def chart_data(results):
    """Throughput (MB/s per workload and tool) and throttle (achieved / limit per limit) rows."""
    throughput = []
    for name in THROUGHPUT:
        total = results.number(name, "bytes") or 0
        medians = [results.median(name, tool, "seconds") for tool in CHART_TOOLS]
        if results.has(name) and total and all(medians):
            throughput.append(" ".join([name] + [f"{total / m / 1e6:.2f}" for m in medians]))
    throttle = []
    for case, _, shares, _ in throttle_rows(results):
        if len(shares) == 3:
            throttle.append(" ".join([case] + [f"{shares[t]:.3f}" for t in ("ferrix", "rsync",
                                                                              "pv")]))
    return throughput, throttle


def write_chart(results, chart):
    throughput, throttle = chart_data(results)
    if not throughput and not throttle:
        return
    day = sorted(r.value for r in results.rows if r.key == "measured_at")[-1].split()[0]
    with tempfile.TemporaryDirectory() as folder:
        files = []
        for name, rows in (("throughput", throughput), ("throttle", throttle)):
            path = os.path.join(folder, name + ".dat") if rows else ""
            if rows:
                with open(path, "w", encoding="utf-8") as out:
                    out.write("\n".join(rows) + "\n")
            files.append(f"{name}='{path}'")
        settings = "; ".join([f"out='{chart}'", f"day='{day}'"] + files)
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bench_chart.gp")
        subprocess.run(["gnuplot", "-e", settings, script], check=True)


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__.strip())
    results_path, doc, chart = sys.argv[1:4]
    analysis = sys.argv[4] if len(sys.argv) == 5 else None
    if not os.path.exists(results_path):
        sys.exit(f"no results at {results_path}: run scripts/bench first")
    results = Results(load(results_path))
    if not any(r.key == "measured_at" for r in results.rows):
        sys.exit(f"no workload measured in {results_path}")
    with open(doc, "w", encoding="utf-8") as out:
        out.write(report(results, analysis))
    write_chart(results, chart)


if __name__ == "__main__":
    main()
