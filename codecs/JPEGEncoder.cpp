#include "codecs/JPEGEncoder.h"

#include "codecs/ImgAnyBitmap.h"
#include "codecs/JPEGError.h"

namespace {

constexpr size_t kOutputBufferSize = 8192;

struct JPEGEncodeContext
{
    jpeg_compress_struct cinfo{};
    JPEGErrorManager error;
    jpeg_destination_mgr destination{};
    JOCTET buffer[kOutputBufferSize];
    CImgDataSink* sink = nullptr;
    const CImgBitmap* bmp = nullptr;
    bool created = false;

    ~JPEGEncodeContext()
    {
        if (created) {
            jpeg_destroy_compress(&cinfo);
        }
    }
};

JPEGEncodeContext& ContextOf(j_compress_ptr cinfo)
{
    return *reinterpret_cast<JPEGEncodeContext*>(cinfo->client_data);
}

void InitDestination(j_compress_ptr cinfo)
{
    auto& context = ContextOf(cinfo);
    cinfo->dest->next_output_byte = context.buffer;
    cinfo->dest->free_in_buffer = kOutputBufferSize;
}

// Hands `count` bytes of the buffer to the sink; a sink that refuses them ends the encoding.
void WriteToSink(j_compress_ptr cinfo, size_t count)
{
    auto& context = ContextOf(cinfo);
    bool failed = false;
    try {
        context.sink->Write(context.buffer, count);
    } catch (...) {
        context.error.pending = std::current_exception();
        failed = true;
    }
    if (failed) {
        JumpBack(reinterpret_cast<j_common_ptr>(cinfo));
    }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo)
{
    WriteToSink(cinfo, kOutputBufferSize);
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo)
{
    WriteToSink(cinfo, kOutputBufferSize - cinfo->dest->free_in_buffer);
}

bool RunCompress(JPEGEncodeContext& c)
{
    if (setjmp(c.error.jump) != 0) {
        return false;
    }
    jpeg_create_compress(&c.cinfo);
    c.created = true;
    c.cinfo.client_data = &c;
    c.destination.init_destination = InitDestination;
    c.destination.empty_output_buffer = EmptyOutputBuffer;
    c.destination.term_destination = TermDestination;
    c.cinfo.dest = &c.destination;

    c.cinfo.image_width = static_cast<JDIMENSION>(c.bmp->GetWidth());
    c.cinfo.image_height = static_cast<JDIMENSION>(c.bmp->GetHeight());
    c.cinfo.input_components = 4;
    c.cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c.cinfo);
    jpeg_start_compress(&c.cinfo, TRUE);
    const uint8_t* const* lines = c.bmp->GetLineArray();
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        const JDIMENSION done = c.cinfo.next_scanline;
        jpeg_write_scanlines(&c.cinfo, const_cast<JSAMPARRAY>(lines + done), c.cinfo.image_height - done);
    }
    jpeg_finish_compress(&c.cinfo);
    return true;
}

} // namespace

void CJPEGEncoder::DoEncode(const CImgBitmap& bmp, CImgDataSink& sink)
{
    // Lines of fewer than 32 bits per pixel are too short for libjpeg's 4-byte pixels.
    CImgAnyBitmap converted;
    const CImgBitmap* input = &bmp;
    if (bmp.GetBitsPerPixel() != 32) {
        converted.CreateCopy(bmp, 32);
        input = &converted;
    }
    JPEGEncodeContext context;
    InstallJPEGErrorManager(reinterpret_cast<j_common_ptr>(&context.cinfo), context.error);
    context.sink = &sink;
    context.bmp = input;
    if (!RunCompress(context)) {
        ThrowJPEGFailure(context.error);
    }
}
