#!/usr/bin/env python3
"""Build the bundled sample postal data (data/sample/01.dat .. 23.dat).

Reads Japan Post's KEN_ALL.CSV (ken_all.zip) and JIGYOSYO.CSV (jigyosyo.zip)
and writes a few hundred real entries, spread over the 23 key ranges, in the
data file format the converter reads:

  * code page 932 text, CR LF line ends, no header;
  * one entry per line, eleven fields, each enclosed in double quotes:
      1  key (7 ASCII digits)
      2  written prefecture      7  prefecture reading
      3  written city            8  city reading
      4  written town area       9  town-area reading
      5  written building        10 building reading
      6  written company         11 company reading
  * readings in half-width katakana with large kana only (ｧｨｩｪｫｯｬｭｮ are
    written ｱｲｳｴｵﾂﾔﾕﾖ, as old mainframe lists do);
  * file k holds the keys of row k of RANGES, sorted by key; entries sharing
    a key keep their source order.

Kinds of entries selected (all from real rows):
  * address entries: postal code, prefecture, city, town area;
  * several towns sharing one postal code;
  * "以下に掲載がない場合" codes, written with an empty town area (they match
    any address of their code);
  * building entries from high-rise rows such as 丸の内ＪＰタワー（１階）:
    town = 丸の内, building = ＪＰタワー１階;
  * business entries from JIGYOSYO.CSV: company name and reading, the town
    area followed by the block/number, an empty town reading.

The selection is deterministic: the same input gives the same files.

Usage:
  python3 tools/make_sample_data.py [KEN_ALL_ZIP] [JIGYOSYO_ZIP] [--out DIR]

Defaults: ../shared/japanpost/{ken_all,jigyosyo}.zip relative to the
repository, output to data/sample/ in the repository.
Standard library only.
"""

import argparse
import collections
import csv
import io
import os
import re
import sys
import zipfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_SOURCE = os.path.normpath(os.path.join(REPO, '..', 'shared', 'japanpost'))

# Inclusive key ranges of the 23 data files.
RANGES = [
    ('0010000', '0389999'), ('0390000', '0799999'), ('0800000', '1319999'),
    ('1320000', '2569999'), ('2570000', '3119999'), ('3120000', '3699999'),
    ('3700000', '4179999'), ('4180000', '4619999'), ('4620000', '5019999'),
    ('5020000', '5269999'), ('5270000', '6019999'), ('6020000', '6299999'),
    ('6300000', '6689999'), ('6690000', '6999999'), ('7000000', '7469999'),
    ('7470000', '7909999'), ('7910000', '8409999'), ('8410000', '8769999'),
    ('8770000', '9169999'), ('9170000', '9389999'), ('9390000', '9589999'),
    ('9590000', '9819999'), ('9820000', '9999999'),
]

# How many entries of each kind to take per data file.
PLAIN_PER_FILE = 10       # ordinary address entries, spread over prefectures
CHOU_PER_FILE = 2         # town reading ending in ﾁﾖｳ
MACHI_PER_FILE = 2        # town reading ending in ﾏﾁ
BUSINESS_PER_FILE = 1     # JIGYOSYO entries
SHARED_GROUP_EVERY = 1    # one group of towns sharing a code in every n-th file
NOT_LISTED_EVERY = 4      # one "以下に掲載がない場合" code in every n-th file

# High-rise buildings (town area + building name as KEN_ALL writes them before
# the floor) and the floors taken from each.
BUILDINGS = [
    ('丸の内ＪＰタワー', (1, 10)),
    ('みなとみらいランドマークタワー', (1,)),
    ('板屋町浜松アクトタワー', (1,)),
    ('名駅ＪＰタワー名古屋', (1,)),
    ('阿倍野筋あべのハルカス', (1, 30)),
    ('中央アエル', (1,)),
]

NOT_LISTED = '以下に掲載がない場合'
SMALL_TO_LARGE = str.maketrans('ｧｨｩｪｫｯｬｭｮ', 'ｱｲｳｴｵﾂﾔﾕﾖ')
FULLWIDTH_DIGITS = str.maketrans('０１２３４５６７８９', '0123456789')
FLOOR_RE = re.compile(r'^(.*)（([０-９]+)階）$')
FLOOR_READING_RE = re.compile(r'^(.*)\(([0-9]+)ｶｲ\)$')
# Town areas that are notes or lists rather than a single place name.
NOTE_WORDS = ('（', '）', '場合', '一円', '、', '～', '・', '番地')


def fold(reading):
    """Half-width reading with large kana only."""
    return reading.translate(SMALL_TO_LARGE)


def read_zip_csv(path):
    with zipfile.ZipFile(path) as z:
        names = [n for n in z.namelist() if n.upper().endswith('.CSV')]
        if len(names) != 1:
            sys.exit('%s: expected one CSV file, found %r' % (path, names))
        with z.open(names[0]) as raw:
            text = io.TextIOWrapper(raw, encoding='cp932', newline='')
            return list(csv.reader(text))


def file_of(key):
    for i, (lo, hi) in enumerate(RANGES):
        if lo <= key <= hi:
            return i
    return None


def spread(items, n):
    """n items taken at evenly spaced positions (deterministic)."""
    if n >= len(items):
        return list(items)
    return [items[(2 * i + 1) * len(items) // (2 * n)] for i in range(n)]


class Entry:
    __slots__ = ('key', 'fields', 'kind', 'order')

    def __init__(self, kind, order, key, pref, city, town, building, company,
                 pref_r, city_r, town_r, building_r, company_r):
        self.kind = kind
        self.order = order  # (source, row number): keeps source order on ties
        self.key = key
        self.fields = [key, pref, city, town, building, company,
                       pref_r, city_r, town_r, building_r, company_r]


def split_rows(ken):
    """Indices of KEN_ALL rows that belong to a town area split over rows."""
    split = set()
    open_at = None
    for i, r in enumerate(ken):
        town = r[8]
        if open_at is None:
            if '（' in town and '）' not in town:
                open_at = i
        else:
            if '）' in town:
                split.update(range(open_at, i + 1))
                open_at = None
    if open_at is not None:
        split.update(range(open_at, len(ken)))
    return split


def address_entry(kind, i, r, town='', town_r=''):
    return Entry(kind, (0, i), r[2], r[6], r[7], town, '', '',
                 fold(r[3]), fold(r[4]), fold(town_r), '', '')


def build(ken, jig):
    split = split_rows(ken)
    rows_of_code = collections.defaultdict(list)
    for i, r in enumerate(ken):
        rows_of_code[r[2]].append(i)

    def clean(i):
        r = ken[i]
        return (i not in split and r[8] and r[5]
                and not any(w in r[8] for w in NOTE_WORDS)
                and '(' not in r[5])

    clean_rows = [clean(i) for i in range(len(ken))]
    per_file = [[] for _ in RANGES]      # candidate single-town rows
    shared = [[] for _ in RANGES]        # codes covering several clean towns
    not_listed = [[] for _ in RANGES]
    for i, r in enumerate(ken):
        f = file_of(r[2])
        if f is None:
            continue
        if r[8] == NOT_LISTED and len(rows_of_code[r[2]]) == 1:
            not_listed[f].append(i)
        elif clean_rows[i]:
            group = rows_of_code[r[2]]
            if len(group) == 1:
                per_file[f].append(i)
            elif (group[0] == i and 2 <= len(group) <= 3
                  and all(clean_rows[j] for j in group)
                  and len({ken[j][0] for j in group}) == 1):
                shared[f].append(r[2])

    entries = []
    used = set()

    def take(kind, i):
        used.add(i)
        r = ken[i]
        entries.append(address_entry(kind, i, r, r[8], r[5]))

    for f in range(len(RANGES)):
        cands = per_file[f]
        # Plain entries, round-robin over the prefectures of this range.
        by_pref = collections.OrderedDict()
        for i in cands:
            by_pref.setdefault(ken[i][0][:2], []).append(i)
        quota = collections.Counter()
        prefs = list(by_pref)
        n = min(PLAIN_PER_FILE, len(cands))
        while sum(quota.values()) < n:
            for p in prefs:
                if sum(quota.values()) < n and quota[p] < len(by_pref[p]):
                    quota[p] += 1
        for p in prefs:
            for i in spread(by_pref[p], quota[p]):
                take('address', i)
        # Town readings ending in ﾁﾖｳ and in ﾏﾁ.
        for suffix, count in (('ﾁﾖｳ', CHOU_PER_FILE), ('ﾏﾁ', MACHI_PER_FILE)):
            pool = [i for i in cands
                    if i not in used and fold(ken[i][5]).endswith(suffix)]
            for i in spread(pool, count):
                take('address', i)
        # A postal code covering several towns.
        if f % SHARED_GROUP_EVERY == 0 and shared[f]:
            code = spread(shared[f], 1)[0]
            for i in rows_of_code[code]:
                take('shared', i)
        # A "以下に掲載がない場合" code: empty town, matches any town.
        if f % NOT_LISTED_EVERY == 0 and not_listed[f]:
            i = spread(not_listed[f], 1)[0]
            used.add(i)
            entries.append(address_entry('not-listed', i, ken[i]))

    # High-rise buildings, one entry per chosen floor.
    towns = collections.defaultdict(dict)  # municipality -> town -> reading
    for i, r in enumerate(ken):
        if clean_rows[i] or ('（' in r[8] and not FLOOR_RE.match(r[8])
                             and i not in split and '地階' not in r[8]):
            towns[r[0]].setdefault(r[8].split('（')[0], r[5].split('(')[0])
    for name, floors in BUILDINGS:
        for i, r in enumerate(ken):
            m = FLOOR_RE.match(r[8])
            mr = FLOOR_READING_RE.match(r[5])
            if not (m and mr and m.group(1) == name):
                continue
            floor = int(m.group(2).translate(FULLWIDTH_DIGITS))
            if floor not in floors:
                continue
            cands = [t for t in towns[r[0]]
                     if t and name.startswith(t) and t != name
                     and mr.group(1).startswith(towns[r[0]][t])]
            if not cands:
                continue
            town = max(cands, key=len)
            town_r = towns[r[0]][town]
            building = name[len(town):] + m.group(2) + '階'
            building_r = mr.group(1)[len(town_r):] + mr.group(2) + 'ｶｲ'
            entries.append(Entry('building', (0, i), r[2], r[6], r[7], town,
                                 building, '', fold(r[3]), fold(r[4]),
                                 fold(town_r), fold(building_r), ''))

    # Business entries: readings of prefecture and city from KEN_ALL.
    area_reading = {}
    for r in ken:
        area_reading.setdefault(r[0], (r[3], r[4]))
    biz = [[] for _ in RANGES]
    for j, r in enumerate(jig):
        f = file_of(r[7])
        if (f is not None and r[10] == '0' and r[11] == '0'
                and r[0] in area_reading and r[1] and r[6]
                and '（' not in r[6] and len(r[2]) <= 24):
            biz[f].append(j)
    for f in range(len(RANGES)):
        for j in spread(biz[f], BUSINESS_PER_FILE):
            r = jig[j]
            pref_r, city_r = area_reading[r[0]]
            entries.append(Entry('business', (1, j), r[7], r[3], r[4],
                                 r[5] + r[6], '', r[2], fold(pref_r),
                                 fold(city_r), '', '', fold(r[1])))
    return entries


def check(entry):
    key = entry.key
    if not re.fullmatch(r'[0-9]{7}', key) or file_of(key) is None:
        raise ValueError('bad key %r' % key)
    for field in entry.fields:
        if any(c in field for c in '"\r\n'):
            raise ValueError('field not writable: %r' % field)
        field.encode('cp932')


def write(entries, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    files = [[] for _ in RANGES]
    for e in entries:
        check(e)
        files[file_of(e.key)].append(e)
    for k, items in enumerate(files, 1):
        items.sort(key=lambda e: (e.key, e.order))
        text = ''.join(','.join('"%s"' % f for f in e.fields) + '\r\n'
                       for e in items)
        with open(os.path.join(out_dir, '%02d.dat' % k), 'wb') as fh:
            fh.write(text.encode('cp932'))
    return files


def summary(files):
    kinds = collections.Counter()
    chou = machi = 0
    keys = collections.Counter()
    prefs = set()
    print('file  entries  range')
    for k, items in enumerate(files, 1):
        print('%02d.dat %6d   %s-%s' % (k, len(items), *RANGES[k - 1]))
        for e in items:
            kinds[e.kind] += 1
            keys[e.key] += 1
            prefs.add(e.fields[1])
            if e.fields[8].endswith('ﾁﾖｳ'):
                chou += 1
            if e.fields[8].endswith('ﾏﾁ'):
                machi += 1
    print('total entries: %d' % sum(kinds.values()))
    for kind in ('address', 'shared', 'not-listed', 'building', 'business'):
        print('  %-11s %d' % (kind, kinds[kind]))
    print('prefectures: %d' % len(prefs))
    print('town readings ending in ﾁﾖｳ: %d, in ﾏﾁ: %d' % (chou, machi))
    print('keys shared by several entries: %d'
          % sum(1 for n in keys.values() if n > 1))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('ken_all', nargs='?',
                    default=os.path.join(DEFAULT_SOURCE, 'ken_all.zip'))
    ap.add_argument('jigyosyo', nargs='?',
                    default=os.path.join(DEFAULT_SOURCE, 'jigyosyo.zip'))
    ap.add_argument('--out', default=os.path.join(REPO, 'data', 'sample'))
    args = ap.parse_args()
    ken = read_zip_csv(args.ken_all)
    jig = read_zip_csv(args.jigyosyo)
    for name, rows, width in (('KEN_ALL', ken, 15), ('JIGYOSYO', jig, 13)):
        bad = [n for n, r in enumerate(rows, 1) if len(r) != width]
        if bad:
            sys.exit('%s: %d rows without %d columns (first: row %d)'
                     % (name, len(bad), width, bad[0]))
    files = write(build(ken, jig), args.out)
    summary(files)


if __name__ == '__main__':
    main()
