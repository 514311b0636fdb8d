#!/usr/bin/env python3
"""Round trip of real KEN_ALL addresses through a built data folder.

Takes address rows of KEN_ALL at random (seeded), writes each as an old
system would have kept it -- the postal code with a hyphen, the prefecture
reading, and in the city field the city and town-area readings in large kana
followed by a block number -- converts the list with zumaro-convert against
the data folder, and counts the records that come out with exactly the
written prefecture, city, town area and full-width block number.

Rows that name no single town area are not taken: "以下に掲載がない場合",
"...の次に番地がくる場合", "<village>一円", and the floor rows of high-rise
buildings. Notes in parentheses are not part of an address: the expected
town area and the record's reading stop at the first parenthesis.

Usage:
  python3 tools/roundtrip.py --ken-all KEN_ALL_ZIP --data-dir DIR --convert EXE
                             [--count N] [--seed S] [--work DIR]
Standard library only. Run it through tools/roundtrip.sh.
"""

import argparse
import csv
import io
import os
import random
import re
import subprocess
import sys
import tempfile
import zipfile

SMALL_TO_LARGE = str.maketrans('ｧｨｩｪｫｯｬｭｮ', 'ｱｲｳｴｵﾂﾔﾕﾖ')
TO_FULL_WIDTH = str.maketrans('0123456789-', '０１２３４５６７８９－')
FLOOR = re.compile(r'（([０-９]+階|地階・階層不明)）$')


def read_ken_all(path):
    if zipfile.is_zipfile(path):
        with zipfile.ZipFile(path) as z:
            name = [n for n in z.namelist() if n.lower().endswith('.csv')][0]
            data = z.read(name)
    else:
        with open(path, 'rb') as f:
            data = f.read()
    return list(csv.reader(io.StringIO(data.decode('cp932'), newline='')))


def town_areas(rows):
    """(row, whole town area) for the first row of each town area; a town area
    split over several rows is joined."""
    towns, depth = [], 0
    for r in rows:
        if depth > 0:
            towns[-1] = (towns[-1][0], towns[-1][1] + r[8])
        else:
            towns.append((r, r[8]))
        depth = max(0, depth + r[8].count('（') - r[8].count('）'))
    return towns


def names_a_town(r, town):
    city = r[7]
    if not town or town == '以下に掲載がない場合' or FLOOR.search(town):
        return False
    if 'の次に' in town and town.endswith('がくる場合'):
        return False
    if town.endswith('一円') and len(town) > 2 and city.endswith(town[:-2]):
        return False
    return True


def block_number(rng):
    kind = rng.randrange(3)
    if kind == 0:
        return '%d-%d-%d' % (rng.randint(1, 9), rng.randint(1, 30), rng.randint(1, 20))
    if kind == 1:
        return '%d-%d' % (rng.randint(1, 999), rng.randint(1, 30))
    return '%d' % rng.randint(1, 3000)


def make_records(rows, count, seed):
    rng = random.Random(seed)
    pool = [r for r, town in town_areas(rows) if names_a_town(r, town)]
    records = []
    for n, r in enumerate(rng.sample(pool, count), 1):
        town = r[8].split('（')[0]
        town_reading = r[5].split('(')[0]
        block = block_number(rng)
        city_field = (r[4] + town_reading).translate(SMALL_TO_LARGE) + block
        record = ['%d' % n, r[2][:3] + '-' + r[2][3:], r[3].translate(SMALL_TO_LARGE), city_field, '', '']
        expected = (r[6], r[7] + town + block.translate(TO_FULL_WIDTH))
        records.append((record, expected))
    records.sort(key=lambda x: x[0][1])  # by postal code: the search then reads each file once
    return records, len(pool)


def write_csv(path, records):
    with open(path, 'wb') as f:
        for record, _ in records:
            f.write((','.join('"%s"' % v for v in record) + '\r\n').encode('cp932'))


def read_csv(path):
    with open(path, 'rb') as f:
        return list(csv.reader(io.StringIO(f.read().decode('cp932'), newline='')))


def entries_of(data_dir, codes):
    found = {}
    for k in range(1, 24):
        for e in read_csv(os.path.join(data_dir, '%02d.dat' % k)):
            if e[0] in codes:
                found.setdefault(e[0], []).append(e)
    return found


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('--ken-all', required=True)
    ap.add_argument('--data-dir', required=True)
    ap.add_argument('--convert', required=True)
    ap.add_argument('--count', type=int, default=5000)
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--work', default=None)
    args = ap.parse_args()

    records, pool = make_records(read_ken_all(args.ken_all), args.count, args.seed)
    work = args.work or tempfile.mkdtemp(prefix='zumaro-roundtrip-')
    os.makedirs(work, exist_ok=True)
    source, output = os.path.join(work, 'records.csv'), os.path.join(work, 'converted.csv')
    write_csv(source, records)
    subprocess.run([args.convert, '-q', '-i', source, '-o', output, '-n', '6', '--postal', '2', '--pref', '3',
                    '--city', '4', '--building', '5', '--company', '6', '--data-dir', args.data_dir], check=True)
    converted = read_csv(output)

    misses = [(rec, exp, out) for (rec, exp), out in zip(records, converted) if (out[2], out[3]) != exp]
    exact = len(records) - len(misses)
    print('seed %d: %d of %d rows that name a town area taken; records in %s' % (args.seed, len(records), pool, work))
    print('exact: %d / %d = %.2f %%' % (exact, len(records), 100.0 * exact / len(records)))
    entries = entries_of(args.data_dir, {rec[1].replace('-', '') for rec, _, _ in misses})
    for rec, exp, out in misses:
        print('\nmiss: %s %s  expected %s%s  got %s%s' % (rec[1], rec[3], exp[0], exp[1], out[2], out[3]))
        for e in entries.get(rec[1].replace('-', ''), []):
            print('    entry %s|%s|%s  read %s|%s' % (e[2], e[3], e[4], e[7], e[8]))
    return 0


if __name__ == '__main__':
    sys.exit(main())
