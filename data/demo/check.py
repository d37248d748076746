#!/usr/bin/python3
"""Checks the demo database sources in this folder (see FORMAT.md).

Prints every problem found and exits with 1 when there is one; prints a
short summary otherwise. Run: python3 data/demo/check.py
"""
import datetime
import os
import re
import sys
from collections import Counter, defaultdict

HERE = os.path.dirname(os.path.abspath(__file__))
FORBIDDEN = set('@[\\]^`{|}~')
SERBIAN = set('čćđšžČĆĐŠŽ')
TYPOGRAPHIC = set('„“”‘’–—…\u00a0')
# Latin letters that YUSCII reads as nj, lj, dž, or that Serbian has not.
FOREIGN = set('wqxyWQXY')
PLACEHOLDERS = ['<mestoug>', '<datumug>', '<ugov1>', '<nazivugs1>',
                '<ugov2>', '<nazivugs2>', '<ugov3>', '<nazivugs3>']
TYPES = ['Sve', 'Zakone', 'Uredbe', 'Pravilnike', 'Odluke', 'Uputstva',
         'Naredbe']
ITALIC = re.compile(r'(?<![\w_])_[^_\s](?:[^_]*[^_\s])?_(?![\w_])')
DIGRAPH_PLUS = re.compile(r'(?<=[nNlL])\+(?=[jJ])|(?<=[dD])\+(?=[žŽ])')

problems = []


def fail(where, text):
    problems.append('%s: %s' % (where, text))


def rel(path):
    return os.path.relpath(path, HERE)


def check_chars(where, text, plus_allowed=False, angle_allowed=False,
                tab_allowed=False):
    for i, ch in enumerate(text):
        if ch in FORBIDDEN:
            fail(where, 'forbidden character %r' % ch)
        elif ch in FOREIGN:
            fail(where, 'letter %r (not a Serbian Latin letter)' % ch)
        elif ch == '\t' and not tab_allowed:
            fail(where, 'tab character')
        elif ch == '+':
            if not plus_allowed or not DIGRAPH_PLUS.match(text, i):
                fail(where, "'+' outside a two-letter digraph")
        elif ch in '<>' and not angle_allowed:
            fail(where, 'angle bracket %r' % ch)
        elif ord(ch) > 0x7E and ch not in SERBIAN and ch not in TYPOGRAPHIC:
            fail(where, 'character %r cannot be stored' % ch)
        elif ord(ch) < 0x20 and ch != '\t':
            fail(where, 'control character %r' % ch)


def read_lines(path):
    try:
        with open(path, 'rb') as f:
            data = f.read()
    except OSError as e:
        fail(rel(path), 'cannot read (%s)' % e.strerror)
        return []
    try:
        text = data.decode('utf-8')
    except UnicodeDecodeError as e:
        fail(rel(path), 'not UTF-8 (%s)' % e)
        return []
    if '\r' in text:
        fail(rel(path), 'carriage return in file')
    if text and not text.endswith('\n'):
        fail(rel(path), 'no line feed at the end')
    return text.split('\n')[:-1] if text.endswith('\n') else text.split('\n')


def read_tsv(name, header):
    path = os.path.join(HERE, name)
    lines = read_lines(path)
    if not lines or lines[0].split('\t') != header:
        fail(name, 'header must be %s' % '\\t'.join(header))
        return []
    rows = []
    for n, line in enumerate(lines[1:], 2):
        where = '%s:%d' % (name, n)
        check_chars(where, line, tab_allowed=True)
        cells = line.split('\t')
        if len(cells) != len(header):
            fail(where, 'expected %d columns' % len(header))
            continue
        if line != line.strip() or any(c != c.strip() or not c for c in cells):
            fail(where, 'empty cell or stray blanks')
        rows.append(cells)
    return rows


def ids_in_order(name, rows, first):
    for k, row in enumerate(rows):
        if row[0] != str(first + k):
            fail(name, 'row %d must have id %d, has %s' % (k + 1, first + k, row[0]))


def parse_document(path, known, required):
    """Returns (header dict, body lines with line numbers)."""
    lines = read_lines(path)
    header, body, n = {}, [], 0
    for n, line in enumerate(lines, 1):
        if line == '':
            break
        m = re.match(r'^([A-Za-z]+): (.*)$', line)
        if not m:
            fail('%s:%d' % (rel(path), n), 'bad header line %r' % line)
            continue
        key, value = m.groups()
        if key not in known:
            fail('%s:%d' % (rel(path), n), 'unknown key %s' % key)
        if key in header:
            fail('%s:%d' % (rel(path), n), 'key %s twice' % key)
        if value != value.strip() or not value:
            fail('%s:%d' % (rel(path), n), 'empty value or stray blanks')
        header[key] = value
    else:
        fail(rel(path), 'no empty line after the header')
    for key in required:
        if key not in header:
            fail(rel(path), 'missing key %s' % key)
    for m, line in enumerate(lines[n:], n + 1):
        if line.strip():
            body.append((m, line))
    if not body:
        fail(rel(path), 'empty body')
    return header, body


def plain_of(line):
    """The paragraph's text as it will be stored, without markup."""
    for marker in ('### ', '## ', '# ', '- '):
        if line.startswith(marker):
            line = line[len(marker):]
            break
    return line.replace('**', '').replace('_', '').replace('+', '')


def looks_like_article(text):
    # Same test as the article list: characters 2 to 5 "lan ", character 6 a digit.
    return len(text) >= 6 and text[1:5] == 'lan ' and text[5].isdigit()


def check_body(path, body, contract=False):
    where_file = rel(path)
    articles = []
    for n, line in body:
        where = '%s:%d' % (where_file, n)
        check_chars(where, line, plus_allowed=not contract,
                    angle_allowed=contract)
        if line != line.rstrip() or line != line.lstrip():
            fail(where, 'leading or trailing blanks')
        if line.startswith('#'):
            if contract:
                fail(where, 'contract lines carry no # marker')
            elif not re.match(r'^(#|##|###) \S', line):
                fail(where, 'bad heading marker')
        if line.count('**') % 2:
            fail(where, 'unbalanced **')
        if line.replace('**', '').count('*'):
            fail(where, 'stray *')
        if '_' in ITALIC.sub('', line.replace('**', '')):
            fail(where, "'_' outside an _italic_ span (write blanks with dots)")
        text = plain_of(line)
        heading = line.startswith('## ') or (contract and looks_like_article(text))
        if heading:
            m = re.match(r'^Član (\d+)[a-z]?\.$', text)
            if not m:
                fail(where, 'article heading must read "Član N."')
            else:
                articles.append(int(m.group(1)))
        elif looks_like_article(text):
            fail(where, 'paragraph would be taken for an article heading')
    # Article numbers run 1, 2, 3 ... (an inserted article such as 12a repeats 12).
    expected = 1
    for a in articles:
        if a == expected - 1:
            continue
        if a != expected:
            fail(where_file, 'article %d follows article %d' % (a, expected - 1))
        expected = a + 1
    return articles


def parse_date(where, text):
    if not re.match(r'^\d\d\.\d\d\.\d{4}$', text):
        fail(where, 'date %r is not dd.mm.yyyy' % text)
        return None
    d, m, y = map(int, text.split('.'))
    try:
        return datetime.date(y, m, d)
    except ValueError:
        fail(where, 'no such date %r' % text)
        return None


def numbered_files(folder, digits):
    path = os.path.join(HERE, folder)
    files = sorted(os.listdir(path)) if os.path.isdir(path) else []
    result = []
    for name in files:
        m = re.match(r'^(\d+)\.txt$', name)
        if not m or len(m.group(1)) != digits:
            fail('%s/%s' % (folder, name), 'file name must be %s.txt' % ('N' * digits))
            continue
        result.append((int(m.group(1)), os.path.join(path, name)))
    return result


def main():
    gazettes = read_tsv('glasnici.tsv', ['ID_GLASNIKA', 'Naziv_glasnika'])
    ids_in_order('glasnici.tsv', gazettes, 1)
    areas = read_tsv('oblasti.tsv', ['ID', 'Naziv'])
    ids_in_order('oblasti.tsv', areas, 1)
    types = read_tsv('tipovi.tsv', ['ID', 'Naziv'])
    ids_in_order('tipovi.tsv', types, 0)
    if [t[1] for t in types] != TYPES:
        fail('tipovi.tsv', 'types must be %s in this order' % ', '.join(TYPES))
    ministries = read_tsv('ministarstva.tsv', ['MINISTARSTVO', 'IME_MINISTARSTVA'])
    ministry_ids = {int(m[0]) for m in ministries if m[0].isdigit()}
    if len(ministry_ids) != len(ministries):
        fail('ministarstva.tsv', 'ids must be distinct numbers')
    for name, rows in (('glasnici.tsv', gazettes), ('oblasti.tsv', areas),
                       ('ministarstva.tsv', ministries)):
        for row in rows:
            if len(row[1]) > 240:
                fail(name, 'name longer than 240 characters')

    # Regulations.
    regs = {}
    for number, path in numbered_files('propisi', 3):
        h, body = parse_document(
            path, {'ID', 'Glasilo', 'Godina', 'Broj', 'Oblast', 'Tip', 'Naslov',
                   'Napomena', 'NapomenaDuzina', 'Datumi', 'Slike'},
            ['ID', 'Glasilo', 'Godina', 'Broj', 'Oblast', 'Tip', 'Naslov'])
        where = rel(path)
        for key, value in h.items():
            if key != 'Slike':
                check_chars(where + ' ' + key, value)
        if h.get('ID') != str(number):
            fail(where, 'ID must be %d like the file name' % number)
        try:
            g, a, t = int(h['Glasilo']), int(h['Oblast']), int(h['Tip'])
        except (KeyError, ValueError):
            fail(where, 'Glasilo, Oblast and Tip must be numbers')
            continue
        if not 1 <= g <= len(gazettes):
            fail(where, 'no gazette %d' % g)
        if not 2 <= a <= len(areas):
            fail(where, 'Oblast must be 2..%d' % len(areas))
        if not 1 <= t < len(types):
            fail(where, 'Tip must be 1..%d' % (len(types) - 1))
        if not re.match(r'^(19|20)\d\d$', h.get('Godina', '')):
            fail(where, 'Godina must be a four-digit year')
        if not re.match(r'^\d+[a-z]?$', h.get('Broj', '')):
            fail(where, 'Broj must be a number, optionally with a letter')
        if len(h.get('Naslov', '')) > 255:
            fail(where, 'title too long')
        note = h.get('Napomena', '')
        if 'NapomenaDuzina' in h:
            if not note:
                fail(where, 'NapomenaDuzina without Napomena')
            elif len(note) >= 100:
                fail(where, 'a padded note must be short (under 100 characters)')
        elif note and len(note) <= 200:
            fail(where, 'a note of 200 characters or fewer should carry NapomenaDuzina')
        dates = []
        if 'Datumi' in h:
            dates = [parse_date(where, d) for d in h['Datumi'].split(', ')]
        slots = {}
        if 'Slike' in h:
            for item in h['Slike'].split(', '):
                m = re.match(r'^S([1-9]|[12]\d|3[0-3])=(slike/[a-z0-9-]+\.png)$', item)
                if not m:
                    fail(where, 'bad picture entry %r' % item)
                    continue
                slot, file = int(m.group(1)), m.group(2)
                if slot in slots:
                    fail(where, 'slot S%d twice' % slot)
                slots[slot] = file
                full = os.path.join(HERE, file)
                if not os.path.isfile(full):
                    fail(where, 'no picture %s' % file)
                else:
                    with open(full, 'rb') as f:
                        if f.read(8) != b'\x89PNG\r\n\x1a\n':
                            fail(where, '%s is not a PNG' % file)
        articles = check_body(path, body)
        if not articles:
            fail(where, 'no article headings')
        size = sum(len(line.encode('utf-8')) + 1 for _, line in body)
        regs[number] = dict(h=h, g=g, a=a, t=t, size=size, slots=slots,
                            dates=dates, articles=len(articles), body=body,
                            bg='%s/%s' % (h.get('Broj'), h.get('Godina')))

    keys = Counter((r['h']['Naslov'], r['bg']) for r in regs.values())
    for key, n in keys.items():
        if n > 1:
            fail('propisi', 'title and issue %s %s used %d times' % (key[0], key[1], n))

    # Archive.
    chains = []
    rows = read_tsv('arhiva.tsv', ['BROJ_ZAKONA', 'PRETHODI_MU', 'NASLEDJUJE_GA'])
    arch = {}
    last = 0
    for row in rows:
        if not all(c.isdigit() for c in row):
            fail('arhiva.tsv', 'non-numeric row %s' % row)
            continue
        b, p, s = map(int, row)
        if b <= last:
            fail('arhiva.tsv', 'rows must ascend by BROJ_ZAKONA (%d after %d)' % (b, last))
        last = b
        arch[b] = (p, s)
        for x in (b, p, s):
            if x and x not in regs:
                fail('arhiva.tsv', 'regulation %d does not exist' % x)
        if b in (p, s):
            fail('arhiva.tsv', 'row %d names itself' % b)
    for b, (p, s) in arch.items():
        if s and arch.get(s, (None,))[0] != b:
            fail('arhiva.tsv', '%d says %d succeeds it, %d does not say %d precedes it' % (b, s, s, b))
        if p and (p not in arch or arch[p][1] != b):
            fail('arhiva.tsv', '%d says %d precedes it, %d does not say %d succeeds it' % (b, p, p, b))
    for b, (p, s) in arch.items():
        if p:
            continue
        chain, seen = [b], {b}
        while arch.get(chain[-1], (0, 0))[1]:
            nxt = arch[chain[-1]][1]
            if nxt in seen:
                fail('arhiva.tsv', 'cycle through %d' % nxt)
                break
            chain.append(nxt)
            seen.add(nxt)
        chains.append(chain)
        years = [int(regs[c]['h']['Godina']) for c in chain if c in regs]
        if years != sorted(years):
            fail('arhiva.tsv', 'chain %s is not oldest first' % chain)
        if len(chain) < 2:
            fail('arhiva.tsv', 'row %d links nothing' % b)
    superseded = {b for b, (p, s) in arch.items() if s}

    # Opinions.
    opinions = {}
    links = Counter()
    for number, path in numbered_files('misljenja', 3):
        h, body = parse_document(path, {'Broj', 'Ministarstvo', 'Datum', 'Naslov', 'Propisi'},
                                 ['Broj', 'Ministarstvo', 'Datum', 'Naslov'])
        where = rel(path)
        for key, value in h.items():
            check_chars(where + ' ' + key, value)
        if h.get('Broj') != str(number):
            fail(where, 'Broj must be %d like the file name' % number)
        if not h.get('Ministarstvo', '').isdigit() or int(h['Ministarstvo']) not in ministry_ids:
            fail(where, 'no such ministry')
        date = parse_date(where, h.get('Datum', ''))
        if len(h.get('Naslov', '')) > 240:
            fail(where, 'title longer than 240 characters')
        related = []
        if 'Propisi' in h:
            for item in h['Propisi'].split(', '):
                if not item.isdigit() or int(item) not in regs:
                    fail(where, 'no regulation %r' % item)
                else:
                    related.append(int(item))
            if not 1 <= len(related) <= 3 or len(set(related)) != len(related):
                fail(where, 'link 1 to 3 distinct regulations')
        links.update(related)
        check_body(path, body)
        opinions[number] = dict(h=h, date=date, related=related)

    # Model contracts.
    contracts = {}
    used = Counter()
    for number, path in numbered_files('ugovori', 2):
        h, body = parse_document(path, {'Naziv', 'Strane', 'Napomena'}, ['Naziv'])
        where = rel(path)
        for key, value in h.items():
            check_chars(where + ' ' + key, value)
        parties = h.get('Strane', '2')
        if parties not in ('2', '3'):
            fail(where, 'Strane must be 2 or 3')
        check_body(path, body, contract=True)
        text = '\n'.join(line for _, line in body)
        found = re.findall(r'<[^<>]*>', text)
        for p in found:
            if p.lower() not in PLACEHOLDERS:
                fail(where, 'unknown placeholder %s' % p)
        if re.sub(r'<[^<>]*>', '', text).count('<') or re.sub(r'<[^<>]*>', '', text).count('>'):
            fail(where, 'stray angle bracket')
        lower = [p.lower() for p in found]
        if parties == '2' and ('<ugov3>' in lower or '<nazivugs3>' in lower):
            fail(where, 'third party placeholders in a two-party model')
        if parties == '3' and '<ugov3>' not in lower:
            fail(where, 'three-party model without <ugov3>')
        if not re.match(r'^[A-ZČĆĐŠŽ ]+$', body[0][1]):
            fail(where, 'the first line should be the title in capitals')
        used.update(lower)
        contracts[number] = dict(h=h, found=found, parties=parties)

    # The cases the program and its tests rely on.
    def need(ok, text):
        if not ok:
            fail('content', text)

    need(len(gazettes) >= 3, 'at least 3 gazettes')
    need(9 <= len(areas) <= 13, 'the root and 8 to 12 areas')
    need(len(ministries) >= 3, 'at least 3 ministries')
    need(len(regs) >= 40, 'at least 40 regulations (%d)' % len(regs))
    need(len(opinions) >= 15, 'at least 15 opinions (%d)' % len(opinions))
    need(len(contracts) >= 4, 'at least 4 model contracts (%d)' % len(contracts))
    need({r['g'] for r in regs.values()} == set(range(1, len(gazettes) + 1)), 'every gazette used')
    need({r['a'] for r in regs.values()} == set(range(2, len(areas) + 1)), 'every area used')
    need({r['t'] for r in regs.values()} == set(range(1, len(types))), 'every type used')
    issues = Counter((r['g'], r['h']['Godina'], r['h']['Broj']) for r in regs.values())
    need(any(n >= 2 for n in issues.values()), 'several regulations in one issue')
    for b in ('1', '2', '10', '12', '12a'):
        need(any(k[2] == b for k in issues), 'an issue numbered %s' % b)
    need(len({r['h']['Godina'] for r in regs.values()}) >= 8, 'several years')
    need(any("'" in r['h']['Naslov'] for r in regs.values()), 'a title with an apostrophe')
    titles = Counter(r['h']['Naslov'] for n, r in regs.items() if n not in arch)
    need(any(n >= 2 for n in titles.values()), 'a title (outside the archive) in two issues')
    long_notes = [n for n, r in regs.items()
                  if len(r['h'].get('Napomena', '')) > 200 and 'NapomenaDuzina' not in r['h']]
    need(len(long_notes) >= 3, 'several notes longer than 200 characters')
    lengths = Counter(r['h'].get('NapomenaDuzina') for r in regs.values())
    need(lengths['200'] == 1 and lengths['201'] == 1, 'one note of 200 and one of 201')
    need(len([r for r in regs.values() if r['dates']]) >= 3, 'dates for several regulations')
    need(any(set(r['slots']) == {2, 5} for r in regs.values()), 'a regulation with pictures S2 and S5 only')
    need(len([r for r in regs.values() if r['slots']]) >= 2, 'two regulations with pictures')
    need(len([r for r in regs.values() if any('+' in l for _, l in r['body'])]) >= 2,
         'digraphs with + in a few regulations')
    sizes = [r['size'] for r in regs.values()]
    need(sum(1000 <= s <= 4600 for s in sizes) * 2 > len(sizes), 'most regulations 1-4 KB')
    need(sum(10000 <= s <= 20500 for s in sizes) >= 2, 'two or three regulations of 10-20 KB')
    need(any(r['articles'] >= 40 for r in regs.values()), 'a regulation with 40 or more articles')
    need(any(len(c) == 5 for c in chains), 'a chain of five versions')
    need(sum(2 <= len(c) <= 3 for c in chains) >= 2, 'a few shorter chains')
    need(superseded, 'superseded versions')
    dates = {o['h']['Datum'] for o in opinions.values()}
    for d in ('05.03.2006', '05.11.2004', '01.02.2005'):
        need(d in dates, 'an opinion dated %s' % d)
    years = {o['date'].year for o in opinions.values() if o['date']}
    need(len(years) >= 5 and min(years) >= 2004 and max(years) <= 2024, 'opinions over 2004-2024')
    need(len({o['h']['Ministarstvo'] for o in opinions.values()}) >= 3, 'opinions of 3 ministries')
    need(all(o['related'] for o in opinions.values()), 'every opinion linked')
    need(sum(n >= 2 for n in links.values()) >= 2, 'regulations linked from several opinions')
    need(set(PLACEHOLDERS) <= set(used), 'every placeholder used (missing %s)'
         % sorted(set(PLACEHOLDERS) - set(used)))
    need(any(c['parties'] == '3' for c in contracts.values()), 'a three-party model')
    need(any(c['found'].count('<ugov1>') >= 3 for c in contracts.values()), '<ugov1> three times')
    need(any(p != p.lower() for c in contracts.values() for p in c['found']),
         'a placeholder in capitals')

    for p in problems:
        print(p)
    if problems:
        print('%d problem(s)' % len(problems))
        return 1
    print('%d gazettes, %d areas, %d types, %d ministries' %
          (len(gazettes), len(areas) - 1, len(types), len(ministries)))
    print('%d regulations (%d superseded), %d KB of text, largest %d KB' %
          (len(regs), len(superseded), sum(sizes) // 1024, max(sizes) // 1024))
    print('chains: %s' % ', '.join('-'.join(map(str, c)) for c in chains))
    print('%d opinions, %d links; %d model contracts' %
          (len(opinions), sum(links.values()), len(contracts)))
    return 0


if __name__ == '__main__':
    sys.exit(main())
