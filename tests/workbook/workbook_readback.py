#!/usr/bin/env python3
"""Reads the workbooks Mensora writes back with an independent reader (openpyxl) and checks
what Excel would show: the types of the cells, the date-times, the rows stamped around a lot
change, both languages, a comma-decimal locale, a million rows, the Windows build's workbook,
the parts of an inspection plan and the alarms the run rules raised. One table of cases; each run picks its cases by group.

  workbook_readback.py <group> <sample_workbook> [<windows sample_workbook.exe> <wine-run>]
"""
import datetime
import itertools
import os
import subprocess
import sys
import tempfile
import zipfile

import openpyxl

RED = "FFFF0000"
AMBER = "FFFFD54F"  # the fill of a record of the warning zone
START = datetime.datetime(2026, 12, 7, 8, 0, 0)
TEXTS = {
    "zh": {"sheets": ["测量记录", "汇总"], "ok": "合格", "ng": "超差",
           "header": ["序号", "测量值", "误差", "结果", "时间", "零件号", "测量特性", "批号", "操作员", "量具编号"],
           "nominal": "标准值", "count": "记录数 n", "last": "运行图（最后 10000 条记录）",
           "average": "平均值", "maximum": "最大值", "minimum": "最小值",
           "parts": "零件", "part": "零件号", "serial": "序列号", "time": "时间", "result": "结果",
           "characteristic": "测量特性", "mean": "平均值 x̄"},
    "en": {"sheets": ["Records", "Summary"], "ok": "OK", "ng": "NG",
           "header": ["No", "Value", "Error", "Result", "Time", "Part number", "Characteristic", "Lot",
                      "Operator", "Gauge ID"],
           "nominal": "Nominal", "count": "Records n", "last": "Run chart (last 10000 records)",
           "average": "Average", "maximum": "Maximum", "minimum": "Minimum",
           "parts": "Parts", "part": "Part number", "serial": "Serial", "time": "Time",
           "result": "Result", "characteristic": "Characteristic", "mean": "Mean x̄"},
}

# group, language, records, locale of the writer, the writer (linux or wine), whether the
# records after the first are taken with sample_run.h's plan in force
CASES = [
    ("short", "zh", 25, "C", "linux", False),
    ("short", "en", 25, "C", "linux", False),
    ("short", "zh", 12001, "de_DE.UTF-8", "linux", False),
    ("short", "en", 0, "C", "linux", False),
    ("short", "zh", 14, "C", "linux", True),
    ("million", "en", 1_000_000, "C", "linux", False),
    ("wine", "zh", 12001, "C", "wine", False),
    ("wine", "en", 25, "C", "wine", False),
]

# The plan's parts in the 14 records of the plan case: serial, the record of each
# characteristic it lists (the latest: A1's Length was measured three times), and its verdict
# (None: A4 was still being measured). The values and red cells follow from the records.
PLAN_CHARACTERISTICS = ["1 Bore", "2 Length", "3a Flange"]
PLAN_PARTS = [
    ("A1", [1, 4, 5], "ok"),
    ("A2", [6, 7, 8], "ok"),
    ("A3", [9, 10, 11], "ng"),
    ("A4", [12, 13, None], None),
]
# The records taken for each characteristic, every one of them counted in its figures.
PLAN_RECORDS = {"1 Bore": [1, 6, 9, 12], "2 Length": [2, 3, 4, 7, 10, 13], "3a Flange": [5, 8, 11]}


def sample_k(i):
    """The thousandths record i reads above 12."""
    k = (37 * i % 121) - 60
    if abs(k) == 45:
        k += -1 if k > 0 else 1
    return k


def expected_row(i):
    """The record i as sample_workbook makes it: (value, places, NG)."""
    k = sample_k(i)
    places = 3 if i % 2 == 0 else 4
    return round(12 + k / 1000, places), places, abs(k) > 45


def warned(i):
    """Whether record i lies in the sample run's warning zone, 80 % of the tolerance: OK, and
    at least 0.036 from the nominal."""
    return 36 <= abs(sample_k(i)) <= 45


def is_number(value):
    """A number cell: Excel writes 12.000 as 12, which the reader gives as an int."""
    return isinstance(value, (int, float)) and not isinstance(value, bool)


def write(tools, writer, language, records, locale, folder, plan=False, extra=None):
    extra = "plan" if plan else extra
    path = os.path.join(folder, f"{writer}-{language}-{records}-{locale}-{extra}.xlsx")
    env = dict(os.environ, LC_ALL=locale)
    if writer == "linux":
        command = [tools["linux"], path, language, str(records)] + ([extra] if extra else [])
    else:
        # The Unix folder as Wine's drive Z: shows it.
        command = [tools["wine-run"], tools["wine"], "Z:" + path.replace("/", "\\"), language,
                   str(records)]
    subprocess.run(command, check=True, env=env, timeout=1800)
    return path


def first_difference(path, reference):
    """The first cell that differs between two workbooks, read row by row; None if none."""
    books = [openpyxl.load_workbook(p, read_only=True) for p in (path, reference)]
    if books[0].sheetnames != books[1].sheetnames:
        return ("sheets", books[0].sheetnames, books[1].sheetnames)
    for name in books[0].sheetnames:
        rows = [books[0][name].iter_rows(values_only=True), books[1][name].iter_rows(values_only=True)]
        for number, (row, expected) in enumerate(itertools.zip_longest(*rows), start=1):
            if row != expected:
                return (name, number, row, expected)
    return None


def check_records(path, language, records, plan, alarms=False):
    texts = TEXTS[language]
    book = openpyxl.load_workbook(path, read_only=False) if records <= 20000 else None
    if book is None:
        book = openpyxl.load_workbook(path, read_only=True)
    sheets = texts["sheets"][:1] + [texts["parts"]] + texts["sheets"][1:] if plan else texts["sheets"]
    sheets = sheets + [ALARMS[language]["sheet"]] if alarms else sheets
    assert book.sheetnames == sheets, book.sheetnames
    sheet = book[texts["sheets"][0]]
    rows = sheet.iter_rows()
    header = next(rows)
    assert [c.value for c in header] == texts["header"], [c.value for c in header]
    if records <= 20000:
        assert sheet.freeze_panes == "A2", sheet.freeze_panes
        assert sheet.auto_filter.ref == f"A1:J{records + 1}", sheet.auto_filter.ref
    seen = 0
    warnings = 0
    for i, row in enumerate(rows):
        value, places, ng = expected_row(i)
        no, got, error, result, time = (c.value for c in row[:5])
        assert no == i + 1 and isinstance(no, int), (i, no)
        assert is_number(got) and got == value, (i, got, value)
        assert row[1].number_format == "0." + "0" * places, (i, row[1].number_format)
        assert is_number(error) and abs(error - (value - 12)) < 0.5 * 10 ** -places, (i, error)
        assert result == (texts["ng"] if ng else texts["ok"]), (i, result)
        assert time == START + datetime.timedelta(seconds=i), (i, time)
        assert row[4].number_format == "yyyy-mm-dd hh:mm:ss", row[4].number_format
        if records <= 20000:
            colour = row[0].font.color.rgb if row[0].font.color is not None else None
            assert (colour == RED) == ng, (i, colour)
            # An OK record of the warning zone: every cell of its row filled amber, none else.
            for cell in row[:10]:
                amber = cell.fill.fill_type == "solid" and cell.fill.fgColor.rgb == AMBER
                assert amber == warned(i) or (cell.value is None and not amber), (i, cell.coordinate)
            warnings += warned(i)
            trace = [c.value for c in row[5:10]]
            lot = "LOT-A" if i < 3 else "LOT-B"
            assert trace == ["P-100", "Ø 12 ±0.045", lot, "张三", "G-7"], (i, trace)
        seen += 1
    assert seen == records, (seen, records)
    if 25 <= records <= 20000:
        assert warnings > 0, "the run holds warnings"

    if plan:
        check_parts(book[texts["parts"]], texts)
        check_characteristic_figures(book[texts["sheets"][1]], texts)

    summary = {row[0]: row[1] for row in cells_of(book[texts["sheets"][1]]) if row and row[0]}
    assert summary[texts["nominal"]] == 12, summary
    assert summary[texts["count"]] == records, summary
    if records:
        values = [expected_row(i)[0] for i in range(records)]
        assert abs(summary[texts["average"]] - sum(values) / records) < 1e-4, summary
        assert summary[texts["maximum"]] == max(values) and summary[texts["minimum"]] == min(values), summary

    with zipfile.ZipFile(path) as archive:
        charts = sorted(n for n in archive.namelist() if n.startswith("xl/charts/chart"))
        assert len(charts) == (2 if records else 0), charts
        if records > 10000:
            run_chart = archive.read(charts[0]).decode("utf-8")
            assert texts["last"] in run_chart, "the run chart's title names the last records"


def colour_of(cell):
    return cell.font.color.rgb if cell.font.color is not None else None


def check_parts(sheet, texts):
    rows = [row for row in sheet.iter_rows()]
    assert [c.value for c in rows[0][:3]] == [texts["part"], "P-100", "Shaft"], rows[0]
    header = [c.value for c in rows[1]]
    assert header == [texts["serial"], texts["time"]] + PLAN_CHARACTERISTICS + [texts["result"]], header
    assert len(rows) == 2 + len(PLAN_PARTS), len(rows)
    for row, (serial, latest, verdict) in zip(rows[2:], PLAN_PARTS):
        assert row[0].value == serial, (serial, row[0].value)
        assert row[1].value == START + datetime.timedelta(seconds=latest[0]), (serial, row[1].value)
        for cell, record in zip(row[2:5], latest):
            if record is None:
                assert cell.value is None, (serial, cell.value)
                continue
            value, places, ng = expected_row(record)
            assert is_number(cell.value) and cell.value == value, (serial, record, cell.value)
            assert cell.number_format == "0." + "0" * places, (serial, cell.number_format)
            assert (colour_of(cell) == RED) == ng, (serial, record, colour_of(cell))
        result = row[5].value if len(row) > 5 else None
        assert result == (texts[verdict] if verdict else None), (serial, result)
        assert verdict is None or (colour_of(row[5]) == RED) == (verdict == "ng"), serial


def check_characteristic_figures(sheet, texts):
    rows = [[c.value for c in row] for row in sheet.iter_rows()]
    # The figures' labels head the table; the part and lot above name a characteristic too.
    header = next(i for i, row in enumerate(rows)
                  if row[0] == texts["characteristic"] and row[1] == texts["count"])
    assert rows[header][2] == texts["mean"], rows[header]
    for row, name in zip(rows[header + 1:], PLAN_CHARACTERISTICS):
        values = [expected_row(i)[0] for i in PLAN_RECORDS[name]]
        assert row[0] == name and row[1] == len(values), row
        assert abs(row[2] - sum(values) / len(values)) < 1e-4, (row, values)


STUDY = {
    "zh": {"sheets": ["读数", "结果"], "header": ["序号", "读数", "与基准值之差"],
           "results": {"量具编号": "G-07", "基准值 Xm": 10.0, "公差 T": 0.1, "读数次数 n": 25,
                       "均值": 10.00192, "标准差": 0.000954, "偏倚": 0.00192, "Cg": 3.49,
                       "Cgk": 2.82, "结论": "量具能力足够", "量具分辨力": 0.001}},
    "en": {"sheets": ["Readings", "Results"], "header": ["No", "Reading", "Minus Xm"],
           "results": {"Gauge ID": "G-07", "Reference Xm": 10.0, "Tolerance T": 0.1,
                       "Readings n": 25, "x̄": 10.00192, "s": 0.000954, "Bias": 0.00192,
                       "Cg": 3.49, "Cgk": 2.82, "Verdict": "capable", "Reading step": 0.001}},
}


def check_study(path, language):
    """The gauge study's workbook: its readings as numbers, its figures as the window shows them."""
    texts = STUDY[language]
    book = openpyxl.load_workbook(path)
    assert book.sheetnames == texts["sheets"], book.sheetnames
    rows = list(book[texts["sheets"][0]].iter_rows(values_only=True))
    assert list(rows[0]) == texts["header"], rows[0]
    assert len(rows) == 26, len(rows)
    assert rows[1] == (1, 10.002, 0.002) and rows[25] == (25, 10.002, 0.002), (rows[1], rows[25])
    results = {label: value for label, value in book[texts["sheets"][1]].iter_rows(values_only=True)}
    for label, expected in texts["results"].items():
        assert results[label] == expected, (label, results[label], expected)
    finished = results["完成时间" if language == "zh" else "Finished"]
    assert finished == datetime.datetime(2026, 12, 7, 7, 45, 0), finished


ALARMS = {
    "zh": {"sheet": "报警", "values": "数值图", "ranges": "极差图",
           "header": ["序号", "报警时间", "规则", "图", "特性", "首记录", "末记录", "确认时间", "原因", "备注"],
           "rules": {1: "规则1：1点落在3σ控制限之外", 2: "规则2：连续9点落在中心线同一侧",
                     5: "规则5：连续3点中有2点落在同侧2σ之外"}},
    "en": {"sheet": "Alarms", "values": "Values", "ranges": "Ranges",
           "header": ["No", "Raised", "Rule", "Chart", "Characteristic", "First record", "Last record",
                      "Acknowledged", "Cause", "Note"],
           "rules": {1: "Rule 1: one point beyond 3σ",
                     2: "Rule 2: nine points in a row on one side of the centre",
                     5: "Rule 5: two of three points beyond 2σ on the same side"}},
}
# tests/support/sample_alarms.h's log as rows: number, raised (seconds after START), rule, chart,
# characteristic, first and last record, acknowledged (seconds; None: not yet), cause, note.
ALARM_ROWS = [
    (1, 9, 2, "values", "Ø 12 ±0.045", 1, 9, 60, "刀具磨损", None),
    (2, 12, 1, "ranges", None, 11, 12, None, None, None),
    (4, 20, 5, "values", "Ø 12 ±0.045", 18, 20, 75, None, "换刀后复测"),
]


def check_alarms(path, language):
    """The alarms sheet: a raised alarm a row, numbers as numbers, times as dates, the rule's
    name in the workbook's language, the acknowledgement's cells empty until there is one."""
    texts = ALARMS[language]
    sheet = openpyxl.load_workbook(path)[texts["sheet"]]
    rows = list(sheet.iter_rows())
    assert [c.value for c in rows[0]] == texts["header"], [c.value for c in rows[0]]
    assert len(rows) == 1 + len(ALARM_ROWS), len(rows)
    for row, expected in zip(rows[1:], ALARM_ROWS):
        number, raised, rule, chart, characteristic, first, last, acknowledged, cause, note = expected
        at = lambda seconds: None if seconds is None else START + datetime.timedelta(seconds=seconds)
        values = [c.value for c in row]
        assert values == [number, at(raised), texts["rules"][rule], texts[chart], characteristic,
                          first, last, at(acknowledged), cause, note], values
        for column in (0, 5, 6):
            assert type(values[column]) is int, (number, column, values[column])
        for column in (1, 7):
            if values[column] is not None:
                assert row[column].number_format == "yyyy-mm-dd hh:mm:ss", row[column].number_format


def cells_of(sheet):
    return [tuple(c.value for c in row[:2]) for row in sheet.iter_rows()]


def main():
    group = sys.argv[1]
    tools = {"linux": sys.argv[2]}
    if group == "wine":
        tools["wine"], tools["wine-run"] = sys.argv[3], sys.argv[4]
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for case_group, language, records, locale, writer, plan in CASES:
            if case_group != group:
                continue
            name = f"{writer} {language} {records} records under LC_ALL={locale}"
            name += " with a plan" if plan else ""
            try:
                path = write(tools, writer, language, records, locale, folder, plan)
                check_records(path, language, records, plan)
                # The same cells whatever the writer's locale and platform.
                if locale != "C" or writer != "linux":
                    reference = write(tools, "linux", language, records, "C", folder)
                    difference = first_difference(path, reference)
                    assert difference is None, f"differs from the C locale's on Linux: {difference}"
                print(f"ok   {name}")
            except (AssertionError, subprocess.CalledProcessError, KeyError) as failure:
                failures += 1
                print(f"FAIL {name}: {failure!r}")
        if group == "short":
            for language in STUDY:
                path = os.path.join(folder, f"study-{language}.xlsx")
                try:
                    subprocess.run([tools["linux"], path, language, "study"], check=True,
                                   timeout=60, env=dict(os.environ, LC_ALL="de_DE.UTF-8"))
                    check_study(path, language)
                    print(f"ok   gauge study {language}")
                except (AssertionError, subprocess.CalledProcessError, KeyError) as failure:
                    failures += 1
                    print(f"FAIL gauge study {language}: {failure!r}")
            for language in ALARMS:
                try:
                    path = write(tools, "linux", language, 25, "de_DE.UTF-8", folder, extra="alarms")
                    check_records(path, language, 25, False, alarms=True)
                    check_alarms(path, language)
                    print(f"ok   alarms {language}")
                except (AssertionError, subprocess.CalledProcessError, KeyError) as failure:
                    failures += 1
                    print(f"FAIL alarms {language}: {failure!r}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
