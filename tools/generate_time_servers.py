#!/usr/bin/env python3
"""Writes the program's built-in list of public time servers.

Reads the community list of public NTP servers (public-ntp-servers.yml, BSD-3-Clause) and writes
src/timesync/BuiltinTimeServerList.cpp: one record text per slot, in the text form of TimeServer
(layout version 1, ";" between the fields). The list's licence travels with the derived data: as a
comment in the generated source and as src/timesync/public-ntp-servers.LICENSE.

Usage: tools/generate_time_servers.py [path/to/public-ntp-servers.yml]   (needs python3-yaml)
The default source is shared/data/public-ntp-servers.yml in the nearest folder above the
repository that has one (../shared beside a clone). The licence is
read from public-ntp-servers.LICENSE next to the source.

The list names a country for most servers and a provider label ("Google NTP") or an operator for the
rest; each label is placed below. A label or United States host that is not placed here stops the
generator, so an updated list gets looked at rather than guessed. Vendor zones of the NTP pool
("amazon.pool.ntp.org", "0.amazon.pool.ntp.org") are left out: they are not for public use.
"""

import pathlib
import re
import sys

import yaml

REPO = pathlib.Path(__file__).resolve().parent.parent
SOURCE_IN_SHARED = pathlib.Path("shared", "data", "public-ntp-servers.yml")
OUTPUT = REPO / "src" / "timesync" / "BuiltinTimeServerList.cpp"
LICENSE_COPY = REPO / "src" / "timesync" / "public-ntp-servers.LICENSE"
DEFAULT_HOST = "time.cloudflare.com"  # keep in step with src/timesync/DefaultTimeServer.h

FIELD_COUNT = 34  # the 43 fields of the layout up to DaytimeFormat, and one spare field
UNITED_STATES = "United States"
INTERNATIONAL = "International"
UNKNOWN_COUNTRY = "Unknown"  # the list gives no clue where the server stands

# Labels that are already country names (or the list's own "International").
COUNTRIES = {
    "Austria", "Belgium", "Brazil", "Canada", "Chile", "China", "Croatia", "Czech Republic", "France",
    "Germany", "Hong Kong", "Hungary", "India", INTERNATIONAL, "Iran", "Italy", "Japan", "Mexico",
    "Netherlands", "Poland", "Romania", "Russia", "Spain", "Sweden", "Switzerland", "Ukraine",
}

# Other labels: short country names, provider services and operators.
COUNTRY_BY_LABEL = {
    "US": UNITED_STATES,
    "UK": "United Kingdom",
    "Basque Country": "Spain",
    # Anycast services and multi-site pools answer from wherever the client is.
    "Google NTP": INTERNATIONAL,
    "Amazon NTP": INTERNATIONAL,
    "Cloudflare NTP": INTERNATIONAL,
    "Facebook NTP": INTERNATIONAL,
    "Microsoft NTP": INTERNATIONAL,
    "Apple NTP": INTERNATIONAL,
    "NTP SERVERS": INTERNATIONAL,
    "Ubuntu": INTERNATIONAL,
    # Operators, by where they (or the named server) stand.
    "DEC/Compaq/HP": UNITED_STATES,
    "ISC": UNITED_STATES,
    "ISI": UNITED_STATES,
    "Microchip": UNITED_STATES,
    "Conectiv": UNITED_STATES,
    "USSHC": UNITED_STATES,
    "Layer42": UNITED_STATES,
    "oar.net": UNITED_STATES,
    "your.org": UNITED_STATES,
    "Qualcomm": UNITED_STATES,
    "ACO.net": "Austria",
    "Trabia-Network": "Moldova",
    "RIPE": "Netherlands",
    "KSZ": "Switzerland",
    "KPN": "Netherlands",
    "HEAnet": "Ireland",
    "Nat Morris": "United Kingdom",
    "timegps.net": "Japan",  # by its network (GMO Internet, AS7506)
    "stratum1.net": UNKNOWN_COUNTRY,
    "Quintex": UNKNOWN_COUNTRY,
    "Stygium": UNKNOWN_COUNTRY,
    "mrow.org": UNKNOWN_COUNTRY,
}

# Every United States record: its state and, where known, its site. A server whose own site is not
# known gets the state where its operator has its seat.
US_SITES = {
    "ntp.colby.edu": ("Maine", "Waterville"),
    "gnomon.cc.columbia.edu": ("New York", "New York City"),
    "navobs1.gatech.edu": ("Georgia", "Atlanta"),
    "ntp.gsu.edu": ("Georgia", "Atlanta"),
    "clock.sjc.he.net": ("California", "San Jose"),
    "clock.fmt.he.net": ("California", "Fremont"),
    "clock.nyc.he.net": ("New York", "New York City"),
    "bonehed.lcs.mit.edu": ("Massachusetts", "Cambridge"),
    "time.nist.gov": ("Colorado", "anycast: Boulder, Fort Collins and Gaithersburg"),
    "time-nw.nist.gov": ("Washington", "Redmond"),
    "time-a.nist.gov": ("Maryland", "Gaithersburg"),
    "time-b.nist.gov": ("Maryland", "Gaithersburg"),
    "utcnist.colorado.edu": ("Colorado", "University of Colorado, Boulder"),
    "utcnist2.colorado.edu": ("Colorado", "University of Colorado, Boulder"),
    "utcnist3.colorado.edu": ("Colorado", "University of Colorado, Boulder"),
    "now.okstate.edu": ("Oklahoma", "Stillwater"),
    "otc1.psu.edu": ("Pennsylvania", "University Park"),
    "ntp1.net.berkeley.edu": ("California", "Berkeley"),
    "ntp2.net.berkeley.edu": ("California", "Berkeley"),
    "tick.ucla.edu": ("California", "Los Angeles"),
    "rackety.udel.edu": ("Delaware", "Newark"),
    "mizbeaver.udel.edu": ("Delaware", "Newark"),
    "ntp-s1.cise.ufl.edu": ("Florida", "Gainesville"),
    "tick.uh.edu": ("Texas", "Houston"),
    "level1e.cs.unc.edu": ("North Carolina", "Chapel Hill"),
    "tick.usno.navy.mil": ("District of Columbia", "Washington"),
    "tock.usno.navy.mil": ("District of Columbia", "Washington"),
    "ntp2.usno.navy.mil": ("District of Columbia", "Washington"),
    "navobs1.wustl.edu": ("Missouri", "St. Louis"),
    "ntp1.wiktel.com": ("Minnesota", "Karlstad"),
    "ntp2.wiktel.com": ("Minnesota", "Karlstad"),
    "clepsydra.labs.hp.com": ("California", "Palo Alto"),
    "clepsydra.hpl.hp.com": ("California", "Palo Alto"),
    "usno.labs.hp.com": ("California", "Palo Alto"),
    "clock.isc.org": ("New Hampshire", None),
    "timekeeper.isi.edu": ("California", "Marina del Rey"),
    "nist1.symmetricom.com": ("California", "San Jose"),
    "ntp1.conectiv.com": ("Delaware", None),
    "tock.usshc.com": ("Wisconsin", "Madison"),
    "gps.layer42.net": ("California", None),
    "navobs1.oar.net": ("Ohio", "Columbus"),
    "ntp.your.org": ("Illinois", "Chicago"),
    "time.xtracloud.net": ("California", None),
}
NIST_SITES = {"g": ("Maryland", "Gaithersburg"), "wwv": ("Colorado", "Fort Collins"), "b": ("Colorado", "Boulder")}

# Corrections of the source: uh.edu is the University of Houston.
OWNER_BY_HOST = {"tick.uh.edu": "University of Houston"}

# Notes that name the server's site.
SITE_NOTES = {
    "Galway": "Galway",
    "G\u00f6teborg": "G\u00f6teborg",
    "Malm\u00f6": "Malm\u00f6",
    "Stockholm": "Stockholm",
    "Sundsvall": "Sundsvall",
    "\u041c\u043e\u0441\u043a\u0432\u0430": "Moscow",
}
# Notes that name the area a server serves.
AREA_NOTES = {"Anycast": "All Areas", "Europe": "Europe", "Asia": "Asia"}

# Entries for which the list records neither a network nor a stratum: their names no longer lead to a
# server (clepsydra.dec.com went with DEC's own network).
GONE = {"clepsydra.dec.com", "ntpstm.netbone-digital.com", "sesku.planeacion.net", "ntp1.ona.org"}


# The pool's zones for everybody: the global one, the continents and the two-letter countries. Any
# other "<name>.pool.ntp.org" is a vendor zone, which the pool reserves for that vendor's products.
POOL_CONTINENTS = {"africa", "asia", "europe", "north-america", "oceania", "south-america"}
POOL_ZONE = re.compile(r"(?:\d+\.)?(?:([a-z0-9-]+)\.)?pool\.ntp\.org")


def is_vendor_zone(host):
    zone = POOL_ZONE.fullmatch(host)
    if not zone or zone.group(1) is None:
        return False
    name = zone.group(1)
    return name not in POOL_CONTINENTS and not re.fullmatch(r"[a-z]{2}", name)


def plain(text):
    """The text of a markdown link, without separators, line breaks or runs of blanks."""
    text = str(text or "")
    link = re.fullmatch(r"\[([^\]]*)\]\([^)]*\)", text.strip())
    if link:
        text = link.group(1)
    text = text.replace(";", ",")
    return " ".join(text.split())


def country_of(label):
    if label in COUNTRIES:
        return label
    if label in COUNTRY_BY_LABEL:
        return COUNTRY_BY_LABEL[label]
    sys.exit(f"no country for the list's location {label!r}: place it in COUNTRY_BY_LABEL")


def us_site(host):
    if host in US_SITES:
        return US_SITES[host]
    nist = re.fullmatch(r"time-[a-e]-(g|wwv|b)\.nist\.gov", host)
    if nist:
        return NIST_SITES[nist.group(1)]
    sys.exit(f"no state for the United States host {host!r}: place it in US_SITES")


def record(entry, slot):
    host = plain(entry["hostname"]).lower()
    label = plain(entry["location"])
    owner = OWNER_BY_HOST.get(host, plain(entry["owner"]))
    notes = plain(entry.get("notes"))
    country = country_of(label)

    state, site = "", SITE_NOTES.get(notes)
    if country == UNITED_STATES:
        state, site = us_site(host)
    location = owner
    if notes == "Anycast" and not site:
        location += " (anycast)"
    if site:
        location += ", " + site
    if label == "Basque Country":
        location += ", Basque Country"
    service_area = AREA_NOTES.get(notes, "All Areas" if country == INTERNATIONAL else "")

    stratum = str(entry["stratum"])
    if not stratum.isdigit():
        stratum = "?"

    fields = [""] * FIELD_COUNT
    fields[0] = "1"
    fields[1] = "-1"  # Enabled
    fields[2] = country
    fields[3] = state
    fields[5] = host
    fields[6] = stratum
    fields[7] = location
    fields[9] = service_area
    fields[12] = "NTP"
    fields[16] = str(slot)  # Tag
    fields[21] = "-1"  # SntpSupported
    fields[27] = "0"  # TimeSupported
    fields[31] = "0"  # DaytimeSupported
    fields[32] = "0"  # DaytimeFormat
    fields[33] = "0"
    return ";".join(fields)


def c_string(text):
    out = []
    for byte in text.encode("utf-8"):
        if byte in (0x22, 0x5C):
            out.append("\\" + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append(f"\\{byte:03o}")  # octal: never swallows the characters after it
    return '"' + "".join(out) + '"'


def default_source():
    for folder in REPO.parents:
        if (folder / SOURCE_IN_SHARED).is_file():
            return folder / SOURCE_IN_SHARED
    sys.exit(f"{SOURCE_IN_SHARED} not found above {REPO}: give the path of the list")


def main():
    source = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default_source()
    licence = (source.parent / "public-ntp-servers.LICENSE").read_text(encoding="utf-8")
    entries = yaml.safe_load(source.read_text(encoding="utf-8"))["servers"]

    texts, hosts = [], set()
    for entry in entries:
        host = plain(entry["hostname"]).lower()
        if host in GONE or host in hosts or is_vendor_zone(host):
            continue
        hosts.add(host)
        texts.append(record(entry, len(texts) + 1))
    if DEFAULT_HOST not in hosts:
        sys.exit(f"the default host {DEFAULT_HOST} is not in the list")

    licence_comment = "\n".join(("// " + line).rstrip() for line in licence.strip().splitlines())
    lines = [
        "// Generated by tools/generate_time_servers.py from public-ntp-servers.yml; do not edit.",
        "//",
        "// The server data derives from the list of public NTP servers by Jauder Ho, used under",
        "// this licence (a copy is in public-ntp-servers.LICENSE beside this file):",
        "//",
        licence_comment,
        "",
        '#include "timesync/BuiltinTimeServerList.h"',
        "",
        "#include <iterator>",
        "",
        "namespace {",
        "",
        "// clang-format off",
        "const char* const kSlotTexts[] = {",
        '    "",  // slot 0',
    ]
    lines += [f"    {c_string(text)}," for text in texts]
    lines += [
        "};",
        "// clang-format on",
        "",
        "}  // namespace",
        "",
        "QStringList FillBuiltinServerList() {",
        "    QStringList slotTexts;",
        "    slotTexts.reserve(static_cast<qsizetype>(std::size(kSlotTexts)));",
        "    for (const char* text : kSlotTexts) {",
        "        slotTexts.append(QString::fromUtf8(text));",
        "    }",
        "    return slotTexts;",
        "}",
        "",
    ]
    OUTPUT.write_text("\n".join(lines), encoding="utf-8")
    LICENSE_COPY.write_text(licence, encoding="utf-8")
    print(f"{len(texts)} records written to {OUTPUT.relative_to(REPO)}")


if __name__ == "__main__":
    main()
