#pragma once

#include <QByteArray>

// A bare zlib stream (RFC 1950) of the data at the highest level; empty for empty data.
QByteArray phpCompress(const QByteArray& data);
