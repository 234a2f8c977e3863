#!/usr/bin/env python3
"""Reads the workbooks Mensora writes back with an independent reader (openpyxl) and checks
what Excel would show: the types of the cells, the date-times, the rows stamped around a lot
change, both languages, a comma-decimal locale, a million rows and the Windows build's
workbook. One table of cases; each run picks its cases by group.

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
START = datetime.datetime(2026, 12, 7, 8, 0, 0)
TEXTS = {
    "zh": {"sheets": ["测量记录", "汇总"], "ok": "合格", "ng": "超差",
           "header": ["序号", "测量值", "误差", "结果", "时间", "零件号", "测量特性", "批号", "操作员", "量具编号"],
           "nominal": "标准值", "count": "记录数 n", "last": "运行图（最后 10000 条记录）",
           "average": "平均值", "maximum": "最大值", "minimum": "最小值"},
    "en": {"sheets": ["Records", "Summary"], "ok": "OK", "ng": "NG",
           "header": ["No", "Value", "Error", "Result", "Time", "Part number", "Characteristic", "Lot",
                      "Operator", "Gauge ID"],
           "nominal": "Nominal", "count": "Records n", "last": "Run chart (last 10000 records)",
           "average": "Average", "maximum": "Maximum", "minimum": "Minimum"},
}

# group, language, records, locale of the writer, the writer (linux or wine)
CASES = [
    ("short", "zh", 25, "C", "linux"),
    ("short", "en", 25, "C", "linux"),
    ("short", "zh", 12001, "de_DE.UTF-8", "linux"),
    ("short", "en", 0, "C", "linux"),
    ("million", "en", 1_000_000, "C", "linux"),
    ("wine", "zh", 12001, "C", "wine"),
    ("wine", "en", 25, "C", "wine"),
]


def expected_row(i):
    """The record i as sample_workbook makes it: (value, places, NG)."""
    k = (37 * i % 121) - 60
    if abs(k) == 45:
        k += -1 if k > 0 else 1
    places = 3 if i % 2 == 0 else 4
    return round(12 + k / 1000, places), places, abs(k) > 45


def is_number(value):
    """A number cell: Excel writes 12.000 as 12, which the reader gives as an int."""
    return isinstance(value, (int, float)) and not isinstance(value, bool)


def write(tools, writer, language, records, locale, folder):
    path = os.path.join(folder, f"{writer}-{language}-{records}-{locale}.xlsx")
    env = dict(os.environ, LC_ALL=locale)
    if writer == "linux":
        command = [tools["linux"], path, language, str(records)]
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


def check_records(path, language, records):
    texts = TEXTS[language]
    book = openpyxl.load_workbook(path, read_only=False) if records <= 20000 else None
    if book is None:
        book = openpyxl.load_workbook(path, read_only=True)
    assert book.sheetnames == texts["sheets"], book.sheetnames
    sheet = book[texts["sheets"][0]]
    rows = sheet.iter_rows()
    header = next(rows)
    assert [c.value for c in header] == texts["header"], [c.value for c in header]
    if records <= 20000:
        assert sheet.freeze_panes == "A2", sheet.freeze_panes
        assert sheet.auto_filter.ref == f"A1:J{records + 1}", sheet.auto_filter.ref
    seen = 0
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
            trace = [c.value for c in row[5:10]]
            lot = "LOT-A" if i < 3 else "LOT-B"
            assert trace == ["P-100", "Ø 12 ±0.045", lot, "张三", "G-7"], (i, trace)
        seen += 1
    assert seen == records, (seen, records)

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


def cells_of(sheet):
    return [tuple(c.value for c in row[:2]) for row in sheet.iter_rows()]


def main():
    group = sys.argv[1]
    tools = {"linux": sys.argv[2]}
    if group == "wine":
        tools["wine"], tools["wine-run"] = sys.argv[3], sys.argv[4]
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for case_group, language, records, locale, writer in CASES:
            if case_group != group:
                continue
            name = f"{writer} {language} {records} records under LC_ALL={locale}"
            try:
                path = write(tools, writer, language, records, locale, folder)
                check_records(path, language, records)
                # The same cells whatever the writer's locale and platform.
                if locale != "C" or writer != "linux":
                    reference = write(tools, "linux", language, records, "C", folder)
                    difference = first_difference(path, reference)
                    assert difference is None, f"differs from the C locale's on Linux: {difference}"
                print(f"ok   {name}")
            except (AssertionError, subprocess.CalledProcessError, KeyError) as failure:
                failures += 1
                print(f"FAIL {name}: {failure!r}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
