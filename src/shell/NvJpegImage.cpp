#include "NvJpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr, int) {}

// Everything between setjmp and the end of this function is plain C data: a longjmp out of the
// library must not skip a destructor.
bool decodeInto(const unsigned char* data, unsigned long size, QImage& image, ErrorManager& manager)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = onJpegError;
    manager.base.emit_message = onJpegMessage;
    manager.message[0] = '\0';
    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, QString* error)
{
    QImage image;
    ErrorManager manager;
    const bool ok =
        !data.isEmpty() && decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                                      static_cast<unsigned long>(data.size()), image, manager);
    if (!ok) {
        if (error)
            *error = data.isEmpty() ? QStringLiteral("No picture data.")
                                    : QString::fromLocal8Bit(manager.message);
        return QImage();
    }
    return image;
}
