#pragma once

#include <QStringList>

// The built-in directory of public time servers: one record text (layout version 1, ";" between the
// fields) per numbered slot. Slot 0 stays empty. The texts are generated from a public list by
// tools/generate_time_servers.py; the program reads no data file.
QStringList FillBuiltinServerList();
