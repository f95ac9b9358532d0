#pragma once

#include <QtGlobal>

class QIODevice;

namespace DAvuroD {

// What libjpeg reads of a JPEG before it decodes a pixel: whether the
// picture comes in several scans (progressive, or its colours one after the
// other). libjpeg then keeps the coefficients of the whole picture while it
// decodes, whatever the size it decodes at.
class JpegHeader
{
public:
    // Reads the header at the device's position and puts the position back;
    // a device that cannot seek is not read.
    explicit JpegHeader(QIODevice* device);

    // libjpeg read a header up to its first scan.
    bool isValid() const;
    bool hasMultipleScans() const;
    // The bytes of the coefficients libjpeg keeps while it decodes: those of
    // the whole picture for several scans, else 0.
    qint64 coefficientBytes() const;

private:
    bool m_bValid = false;
    qint64 m_coefficientBytes = 0;
};

} // namespace DAvuroD
