#!/usr/bin/python3
# Writes the instants (UTC) of the Moon's four principal phases from 1900 to 2100 as PyEphem works them
# out (Debian's python3-ephem, which follows the Sun and the Moon by theories of its own), one a line:
# "YYYY-MM-DD HH:MM:SS PHASE", 0 new moon, 1 first quarter, 2 full moon, 3 last quarter. The tests
# compare the program's phases with this table, which shares nothing with the program's code.
#   tools/moon/make_phase_table.py > tests/data/moon/phases.txt
import ephem

FIRST = ephem.Date('1900/1/1')
END = ephem.Date('2101/1/1')
NEXT = [ephem.next_new_moon, ephem.next_first_quarter_moon, ephem.next_full_moon, ephem.next_last_quarter_moon]

events = []
for phase, following in enumerate(NEXT):
    instant = following(ephem.Date(FIRST - 1))
    while instant < END:
        if instant >= FIRST:
            events.append((instant, phase))
        instant = following(ephem.Date(instant + 1))
events.sort()
for instant, phase in events:
    # Rounded to the second: the date and time of the instant.
    rounded = ephem.Date(round(float(instant) * 86400) / 86400)
    print('%s %d' % (rounded.datetime().strftime('%Y-%m-%d %H:%M:%S'), phase))
