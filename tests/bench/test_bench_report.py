"""The benchmark report's verdicts: medians, min-max ranges apart or overlapping ("unclear",
never counted as met), and the request count's target. Runs with python3 -m unittest."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "lib"))
import bench_report as report  # noqa: E402


def rows(workload, case, tool, key, values):
    return [report.Row(workload, case, tool, str(run), key, str(value))
            for run, value in enumerate(values, start=1)]


def facts(workload, **values):
    return [report.Row(workload, "-", "-", "0", key, str(value)) for key, value in values.items()]


class Verdicts(unittest.TestCase):
    def test_ranges_decide_and_overlap_is_unclear(self):
        cases = [  # (Ferrix's runs, the peer's runs, limit, verdict)
            ([1.0, 1.1, 1.2], [2.0, 2.1, 2.2], 0.8, True),     # 1.2 < 0.8 x 2.0
            ([1.8, 1.9, 2.0], [2.0, 2.1, 2.2], 0.8, False),    # 1.8 > 0.8 x 2.2
            ([1.5, 1.6, 1.7], [2.0, 2.1, 2.2], 0.8, None),     # 1.6-1.76 overlaps
            ([1.6], [2.0], 0.8, None),                          # equal is not below
            ([], [2.0], 0.8, None),
            ([1.0], [], 0.8, None),
        ]
        for ferrix, peer, limit, expected in cases:
            with self.subTest(ferrix=ferrix, peer=peer):
                self.assertIs(report.judged(ferrix, peer, limit), expected)

    def test_counts_against_their_limit(self):
        cases = [([12.0, 12.9, 13.0], True), ([13.1, 14.0], False), ([12.5, 13.5], None),
                 ([], None)]
        for values, expected in cases:
            with self.subTest(values=values):
                self.assertIs(report.judged_at_most(values, 13), expected)

    def test_words_of_a_verdict(self):
        self.assertEqual([report.verdict(v) for v in (True, False, None)],
                         ["met", "NOT met", "unclear"])

    def test_unclear_is_not_counted_as_met(self):
        targets = [report.Target("small", "a", "1", True), report.Target("small", "b", "2", None),
                   report.Target("large", "c", "3", False)]
        lines = report.summary(targets)
        self.assertIn("1 of 3 targets met", lines[2])
        cells = [[c.strip() for c in line.strip("|").split("|")] for line in lines[4:]]
        self.assertIn(["small", "b", "2", "**unclear**"], cells)


class Figures(unittest.TestCase):
    def test_median_of_the_runs_leaves_facts_out(self):
        results = report.Results(facts("small", files=3) +
                                 rows("small", "-", "ferrix", "seconds", [3.0, 1.0, 2.0, 10.0]))
        self.assertEqual(results.median("small", "ferrix", "seconds"), 2.5)
        self.assertIsNone(results.median("small", "xcopy", "seconds"))

    def test_small_files_judged_against_xcopy_and_the_bare_loop(self):
        results = report.Results(
            facts("small", files=100, folders=1, depth=1, min_bytes=4096, max_bytes=4096,
                  bytes=409600, runs=3, measured_at="2026-12-09 13:00", cache="cold") +
            rows("small", "-", "ferrix", "seconds", [1.0, 1.1, 1.2]) +
            rows("small", "-", "xcopy", "seconds", [2.0, 2.1, 2.2]) +
            rows("small", "-", "bare", "seconds", [0.9, 1.0, 1.1]))
        _, targets = report.throughput_section(results, "small", 2)
        self.assertEqual([(t.figure, t.met) for t in targets], [("0.52x", True), ("1.10x", None)])

    def test_paused_page_reporting_is_said_only_where_it_was_paused(self):
        for state, said in (("paused", True), ("on", False), ("none", False)):
            results = report.Results(facts("host", page_reporting=state) +
                                     facts("small", measured_at="2026-12-09 13:00"))
            with self.subTest(state=state):
                self.assertIs("page reporting" in " ".join(report.header(results)), said)

    def test_verified_copies_judged_against_each_datas_limit(self):
        # Verified takes 2.05x on both: within the large data's limit, beyond the small's.
        results = report.Results(
            facts("verify", runs=2, measured_at="2026-12-09 13:00", cache="cold") +
            [row for case in ("large", "small")
             for tool, values in (("ferrix", [1.0, 1.0]), ("ferrix-verify", [2.05, 2.05]))
             for row in rows("verify", case, tool, "seconds", values)])
        _, targets = report.verify_section(results, 9)
        self.assertEqual([(t.figure, t.met) for t in targets], [("2.05x", True), ("2.05x", False)])
        lines, targets = report.verify_section(report.Results([]), 9)
        self.assertEqual((lines[-1][:16], targets), ("Not measured yet", []))

    def test_requests_per_file_from_each_runs_pair_of_jobs(self):
        results = report.Results(
            facts("requests", runs=2, file_bytes=4096, measured_at="2026-12-09 13:00") +
            rows("requests", "20", "ferrix", "requests", [1000, 1100]) +
            rows("requests", "120", "ferrix", "requests", [2200, 2400]) +
            rows("requests", "20", "ferrix", "log_lines", [3000, 3000]) +
            rows("requests", "120", "ferrix", "log_lines", [6000, 6000]))
        self.assertEqual(report.requests_per_file_runs(results, "ferrix"), [12.0, 13.0])
        _, targets = report.requests_section(results, 7)
        self.assertEqual(len(targets), 1)
        self.assertIs(targets[0].met, True)


if __name__ == "__main__":
    unittest.main()
