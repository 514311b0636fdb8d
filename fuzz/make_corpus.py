#!/usr/bin/env python3
"""Writes the seed corpora in fuzz/corpus/<target>/, one small file a seed.

The files are committed; run this again after changing a seed or the run
case format (fuzz/run_case.h) and commit what changes. The corpus replay
test checks that the run seeds still reach matches, faults and refusals.
"""
import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent


def cp932(text):
    return text.encode("cp932")


# --- field reader: one byte choosing a small read block (1 + b % 8), then the file

FIELD_READER = {
    "records": (0, cp932("a,b,c,d,e\r\nf,g,h,i,j\r\n")),
    "quoted_comma_and_line_end": (1, cp932('"x,y","line1\r\nline2",,"",z\r\n')),
    "katakana": (2, cp932('ﾄｳｷﾖｳﾄ,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2,"ﾋﾞﾙ,3ｶｲ",ｶﾌﾞｼｷｶﾞｲｼﾔ\r\n')),
    "kanji_across_blocks": (0, cp932("東京都,横浜市中区桜木町,表,ソ\r\n")),
    "lone_lead_byte_at_end": (3, b"abc," + b"\x81"),
    "lead_byte_before_comma": (1, b"ab\x81,cd\r\n"),
    "unclosed_quote": (2, cp932('a,"abc,def\r\nghi')),
    "invalid_byte": (4, b"abc,\x80,def\r\nx,y\r\n"),
    "end_of_file_mark": (0, b"a,b\r\n\x1a"),
    "blank_lines": (5, b"\r\n\r\na,b\r\n\r\n\r\n"),
    "text_after_closing_quote": (0, b'"ab"cd ,"e" ,f\r\n'),
    "lone_cr_and_lf": (6, b"a\rb\nc\r\n\n"),
    "blanks_and_tabs": (7, b'  a , \tb,  "c"\r\n'),
    "short_last_record": (0, b"a,b,c,d,e,f,g"),
    "comma_at_end": (0, b"a,b,"),
    "hash_signs_and_quote_inside": (1, b'#2024-01-01#,x"y,z\r\n'),
    "data_entry": (0, cp932("1320011,東京都,江戸川区,本町,,,ﾄｳｷﾖｳﾄ,ｴﾄﾞｶﾞﾜｸ,ﾎﾝﾁﾖｳ,,\r\n")),
    "controls": (2, b"a\x00b,\x1ac,\x7f\r\n"),
}

# --- settings: the boxes' texts, one a line, in the form's order:
# count, postal, prefecture, city, building, company, etc1, etc11, ... etc7, etc71, town area

NO_PAIRS = "\n0" * 14

SETTINGS = {
    "first_state": "",
    "accepted": "10\n1\n2\n3\n4",
    "accepted_every_pair": "10\n1\n2\n3\n4\n5\n6\n4\n7\n3\n8\n16\n9\n35\n10\n1\n0\n0\n0\n0",
    "count_above_50": "51\n1\n2\n3\n4",
    "count_with_fraction": "5.5\n6\n1\n2\n3",
    "count_half_to_even": "4.5\n1\n2\n3\n4",
    "full_width_and_blanks": "１０\n　１\n２．０\n 3e0 \n+4\n－0",
    "not_a_number": "10\nabc",
    "empty_box": "10\n\n2\n3\n4",
    "integer_out_of_range": "10\n1\n2\n3\n4\n40000",
    "negative_count": "-3\n1\n2\n3\n4",
    "negative_fraction_position": "10\n-0.3\n2\n3\n4\n0\n-0.2\n4",
    "option_without_position": "10\n1\n2\n3\n4\n0\n0\n4",
    "position_above_count": "10\n1\n2\n3\n4\n0\n11\n0",
    "unknown_option": "10\n1\n2\n3\n4\n0\n5\n12",
    "exponents": "1e1\n1E0\n2.e0\n.3e1\n4e-0",
    "huge_and_tiny": "1e400\n1e-400",
    "half_positions": "10\n2.5\n3.5\n0.5\n1.5",
    "company_above_count": "10\n1\n2\n3\n4\n30",
    "position_51": "50\n51\n1\n1\n1",
    "seventh_pair": "10\n1\n2\n3\n4\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n11",
    "town_accepted": "10\n1\n2\n3\n4\n0" + NO_PAIRS + "\n5",
    "town_above_count": "10\n1\n2\n3\n4\n0" + NO_PAIRS + "\n11",
    "town_in_city_field": "10\n1\n2\n3\n4\n0" + NO_PAIRS + "\n3.2",
}

# --- run: see fuzz/run_case.h for the format

FIELD_COUNTS = ["5", "6", "7", "8", "9", "10", "5.5", "4", "50"]
OPTIONS = [0, 1, 2, 3, 4, 8, 16, 32, 5, 7, 11, 19, 35, 43, 51, 12, 48, 64]
CITY = ["ﾐﾄﾞﾘｸ", "ｷﾀｸ", "ﾐﾅﾐﾁﾖｳ", "ﾐﾅﾐﾏﾁ", ""]
TOWN = ["ﾎﾝﾁﾖｳ", "ﾎﾝﾏﾁ", "ｻｶｴ", ""]
# The lower bounds of the data files the seeds use.
LOWER = {1: "0010000", 4: "1320000", 13: "6300000", 23: "9820000"}
DAMAGE = {"invalid_byte": 9, "lone_lead_byte": 10, "cut_short": 11, "blank_line_before": 12,
          "quoted_fields": 13, "lone_lf": 14, "lone_cr": 15}


def key_of(k, i):
    """Key i of data file k, as keysOf in testing/postal_test_data.cpp makes it."""
    base = LOWER[k][:5]
    keys = [base + "1" + str(j) for j in range(1, 7)]
    keys += [base + "130", base + "1301", base + "13012", base + "13021", base + "1",
             base + "ｱ1", base + "１2", base + "11\0"]
    return keys[i]


def entry(k, key, city=0, town=0, business=False, building=False, damage=None):
    shape = city | town << 3 | (0x20 if business else 0) | (0x40 if building else 0)
    return bytes([k - 1, key | (DAMAGE[damage] << 4 if damage else 0), shape])


def run_case(records, entries, count="5", positions=(2, 3, 4, 5, 0), unmatched=False, sort=False, pairs=()):
    n = float(count) if count != "5.5" else 6
    header = bytes([FIELD_COUNTS.index(count)])
    header += bytes(p - 1 for p in positions[:4]) + bytes([positions[4]])
    header += bytes([(1 if unmatched else 0) | (2 if sort else 0) | len(pairs) << 2])
    for position, option in pairs:
        header += bytes([position, OPTIONS.index(option)])
    assert n >= max(positions[:4]) or count == "4"
    body = bytes([len(entries)]) + b"".join(entries)
    return header + body + cp932("".join(r + "\r\n" for r in records))


K4 = [key_of(4, i) for i in range(13)]
K1 = [key_of(1, i) for i in range(13)]
K13 = [key_of(13, i) for i in range(13)]
K23 = [key_of(23, i) for i in range(13)]

RUN = {
    "match": run_case(
        ["1," + K4[0] + ",ﾄｳｷﾖｳﾄ,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2,ﾋﾞﾙ"],
        [entry(4, 0, city=0, town=0)]),
    "chou_read_machi": run_case(
        ["1," + K4[1] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ3-4,", "2," + K4[2] + ",ﾄｳｷﾖｳﾄ,ﾐﾅﾐﾏﾁﾎﾝﾏﾁ5,"],
        [entry(4, 1, city=0, town=1), entry(4, 2, city=2, town=0)]),
    "business_entry": run_case(
        ["1,ﾀﾅｶ ｹﾝｼﾞ,〒" + K4[3][:3] + "-" + K4[3][3:] + ",ﾄｳｷﾖｳﾄ,ｶﾞｲｼﾔ,,,weekends only",
         "2,ｽｽﾞｷ," + K4[3] + ",,,,ｼﾃﾝ,"],
        [entry(4, 3, business=True, building=True)],
        count="8", positions=(3, 4, 5, 6, 7), pairs=((2, 4), (8, 19))),
    "keys_in_order_and_repeated": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", "2," + K4[4] + ",,ｷﾀｸｻｶｴ2,", "3," + K4[4] + ",,ｷﾀｸｻｶｴ3,",
         "4," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ4,", "5," + K4[5] + ",,ｷﾀｸ5,"],
        [entry(4, 0, 0, 0), entry(4, 4, 1, 2), entry(4, 4, 1, 3), entry(4, 5, 1, 3)], sort=True),
    "entries_out_of_order": run_case(
        ["1," + K4[5] + ",,ｷﾀｸ1,", "2," + K4[0] + ",,ﾐﾄﾞﾘｸ2,", "3," + K4[2] + ",,ﾐﾄﾞﾘｸ3,"],
        [entry(4, 5, 1, 3), entry(4, 0, 0, 3), entry(4, 2, 0, 3), entry(4, 1, 0, 3)]),
    "several_files": run_case(
        ["1," + K1[0] + ",,ｷﾀｸｻｶｴ1,", "2," + K13[1] + ",,ﾐﾄﾞﾘｸﾎﾝﾏﾁ2,", "3," + K23[2] + ",,ﾐﾅﾐﾁﾖｳ3,",
         "4,9999999,,x,", "5,0009999,,y,"],
        [entry(1, 0, 1, 2), entry(13, 1, 0, 1), entry(23, 2, 2, 3)], unmatched=True, sort=True),
    "long_and_wide_keys": run_case(
        ["1," + K4[8] + ",,ﾐﾄﾞﾘｸ,", "2," + K4[11] + ",,ｷﾀｸ,", "3," + K4[12] + ",,,", "4," + K4[7] + ",,ﾐﾄﾞﾘｸ,",
         "5," + K4[10] + ",,,"],
        [entry(4, 10, 4, 3), entry(4, 7, 0, 3), entry(4, 8, 0, 3), entry(4, 9, 0, 3), entry(4, 11, 1, 3),
         entry(4, 12, 4, 3), entry(4, 13, 4, 3)], sort=True),
    "invalid_byte_in_data": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", "2," + K4[3] + ",,ｷﾀｸ,"],
        [entry(4, 0, 0, 0), entry(4, 1, damage="invalid_byte"), entry(4, 3, 1, 3)]),
    "data_cut_short": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", "2," + K4[4] + ",,ｷﾀｸ,"],
        [entry(4, 0, 0, 0), entry(4, 3, damage="cut_short")]),
    "lone_lead_byte_in_data": run_case(
        ["1," + K4[2] + ",,ﾐﾄﾞﾘｸ1,"],
        [entry(4, 0, 0, 3), entry(4, 1, 0, 3, damage="lone_lead_byte")]),
    "odd_data_lines": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", "2," + K4[1] + ",,ｷﾀｸ2,", "3," + K4[2] + ",,ｷﾀｸ3,",
         "4," + K4[3] + ",,ｷﾀｸ4,"],
        [entry(4, 0, 0, 0, damage="quoted_fields"), entry(4, 1, 1, 3, damage="lone_lf"),
         entry(4, 2, 1, 3, damage="lone_cr"), entry(4, 3, 1, 3)]),
    # A blank line is one empty field: the entries after it stand shifted.
    "blank_line_in_data": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", "2," + K4[1] + ",,ｷﾀｸ2,"],
        [entry(4, 0, 0, 0), entry(4, 1, 1, 3, damage="blank_line_before")]),
    "refused_option": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,"], [entry(4, 0, 0, 0)], pairs=((1, 12),)),
    "short_last_record": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", "2," + K4[0]], [entry(4, 0, 0, 0)], unmatched=True),
    "fifty_fields": run_case(
        [",".join(["1", K4[0], "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2", "ﾋﾞﾙ"] + ["x"] * 45)],
        [entry(4, 0, 0, 0, building=True)], count="50", positions=(2, 3, 4, 5, 50), pairs=((50, 3),)),
    "four_fields_read_nothing": run_case(["1," + K4[0] + ",,ﾐﾄﾞﾘｸ"], [entry(4, 0, 0, 3)], count="4",
                                         positions=(2, 3, 4, 4, 0)),
    "prefecture_and_city_in_one_field": run_case(
        ["1," + K4[0] + ",ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾁﾖｳ9,,"], [entry(4, 0, 0, 0)], positions=(2, 3, 3, 4, 5)),
    "unclosed_quote_in_list": run_case(
        ["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,", '2,"' + K4[0]], [entry(4, 0, 0, 0)]),
}
RUN["invalid_byte_in_list"] = run_case(["1," + K4[0] + ",,ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1,"], [entry(4, 0, 0, 0)]) + b"2,\x80\r\n"


def write(target, seeds):
    folder = HERE / "corpus" / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


write("field_reader", {name: bytes([block]) + data for name, (block, data) in FIELD_READER.items()})
write("settings", {name: text.encode("utf-8") for name, text in SETTINGS.items()})
write("run", RUN)
