#include "JpegHeader.h"

#include <QIODevice>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace DAvuroD {

namespace {

struct DeviceSource
{
    jpeg_source_mgr manager;
    QIODevice* device;
    JOCTET buffer[4096];
};

struct ErrorExit
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void initSource(j_decompress_ptr) { }

void termSource(j_decompress_ptr) { }

// The end of the data reads as an end-of-image marker, so libjpeg stops.
boolean fillInputBuffer(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<DeviceSource*>(info->src);
    qint64 count = source->device->read(
        reinterpret_cast<char*>(source->buffer), qint64(sizeof source->buffer));
    if (count <= 0) {
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = size_t(count);
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    while (count > long(source->bytes_in_buffer)) {
        count -= long(source->bytes_in_buffer);
        fillInputBuffer(info);
    }
    if (count > 0) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= size_t(count);
    }
}

[[noreturn]] void errorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorExit*>(info->err)->jump, 1);
}

void silent(j_common_ptr) { }

// The coefficient arrays of the whole picture, a block of 64 for every 8 x 8
// samples of each component, in whole units of its sampling factors.
qint64 coefficientBytesOf(const jpeg_decompress_struct& info)
{
    qint64 bytes = 0;
    for (int i = 0; i < info.num_components; ++i) {
        const jpeg_component_info& component = info.comp_info[i];
        const auto rounded = [](JDIMENSION blocks, int factor) {
            return (qint64(blocks) + factor - 1) / factor * factor;
        };
        bytes += rounded(component.width_in_blocks, component.h_samp_factor)
            * rounded(component.height_in_blocks, component.v_samp_factor) * qint64(sizeof(JBLOCK));
    }
    return bytes;
}

// libjpeg leaves by longjmp on an error, so nothing here has a destructor.
// Returns -1 for no JPEG, else the coefficient bytes of several scans, 0 for one.
qint64 readScans(QIODevice* device)
{
    jpeg_decompress_struct info {};
    ErrorExit error {};
    DeviceSource source {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = errorExit;
    error.manager.output_message = silent;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return -1;
    }
    jpeg_create_decompress(&info);
    source.device = device;
    source.manager.init_source = initSource;
    source.manager.fill_input_buffer = fillInputBuffer;
    source.manager.skip_input_data = skipInputData;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = termSource;
    info.src = &source.manager;
    jpeg_read_header(&info, TRUE);
    const qint64 bytes
        = jpeg_has_multiple_scans(&info) ? qMax<qint64>(1, coefficientBytesOf(info)) : 0;
    jpeg_destroy_decompress(&info);
    return bytes;
}

} // namespace

JpegHeader::JpegHeader(QIODevice* device)
{
    if (!device || device->isSequential())
        return;
    const qint64 position = device->pos();
    const qint64 bytes = readScans(device);
    device->seek(position);
    m_bValid = bytes >= 0;
    m_coefficientBytes = qMax<qint64>(bytes, 0);
}

bool JpegHeader::isValid() const
{
    return m_bValid;
}

bool JpegHeader::hasMultipleScans() const
{
    return m_coefficientBytes > 0;
}

qint64 JpegHeader::coefficientBytes() const
{
    return m_coefficientBytes;
}

} // namespace DAvuroD
