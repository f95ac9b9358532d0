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

// libjpeg leaves by longjmp on an error, so nothing here has a destructor.
// Returns -1 for no JPEG, else whether it has several scans.
int readScans(QIODevice* device)
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
    const int scans = jpeg_has_multiple_scans(&info) ? 1 : 0;
    jpeg_destroy_decompress(&info);
    return scans;
}

} // namespace

JpegHeader::JpegHeader(QIODevice* device)
{
    if (!device || device->isSequential())
        return;
    const qint64 position = device->pos();
    const int scans = readScans(device);
    device->seek(position);
    m_bValid = scans >= 0;
    m_bMultipleScans = scans > 0;
}

bool JpegHeader::isValid() const
{
    return m_bValid;
}

bool JpegHeader::hasMultipleScans() const
{
    return m_bMultipleScans;
}

} // namespace DAvuroD
