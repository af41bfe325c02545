#include "codecs/JPEGDecoder.h"

#include "codecs/ImgMemory.h"
#include "codecs/JPEGError.h"

#include <jerror.h>

#include <algorithm>

namespace {

const JOCTET kFakeEndOfImage[2] = {0xFF, JPEG_EOI};

// Everything the protected calls touch lives here, outside the frame that calls setjmp.
struct JPEGDecodeContext
{
    jpeg_decompress_struct cinfo{};
    JPEGErrorManager error;
    jpeg_source_mgr sourceManager{};
    jpeg_progress_mgr progressManager{};
    CImgDataSource* source = nullptr;
    CImgBitmap* bmp = nullptr;
    int requestedBpp = 0;
    bool created = false;
    bool fakeEnd = false;

    ~JPEGDecodeContext()
    {
        if (created) {
            jpeg_destroy_decompress(&cinfo);
        }
    }
};

JPEGDecodeContext& ContextOf(j_decompress_ptr cinfo)
{
    return *reinterpret_cast<JPEGDecodeContext*>(cinfo->client_data);
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    // The whole source was handed over at once: asking for more means the data ended early.
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = kFakeEndOfImage;
    cinfo->src->bytes_in_buffer = sizeof kFakeEndOfImage;
    ContextOf(cinfo).fakeEnd = true;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0) {
        return;
    }
    auto* src = cinfo->src;
    if (static_cast<unsigned long>(count) > src->bytes_in_buffer) {
        FillInputBuffer(cinfo);
        return;
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void ReportProgress(j_common_ptr common)
{
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    auto& context = ContextOf(cinfo);
    const auto* progress = cinfo->progress;
    const double total = progress->total_passes > 0 ? progress->total_passes : 1;
    const double pass = progress->pass_limit > 0 ? static_cast<double>(progress->pass_counter) /
                                                       static_cast<double>(progress->pass_limit)
                                                 : 0.0;
    bool failed = false;
    try {
        context.source->GetProgressReceiver()->OnProgress((progress->completed_passes + pass) / total);
    } catch (...) {
        context.error.pending = std::current_exception();
        failed = true;
    }
    if (failed) {
        JumpBack(common);
    }
}

// The calls into libjpeg. Returns false after libjpeg (or a callback) failed; no object with a
// destructor lives in this frame, so the jump back skips nothing.
bool RunDecompress(JPEGDecodeContext& c)
{
    if (setjmp(c.error.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&c.cinfo);
    c.created = true;
    c.cinfo.client_data = &c;
    // libjpeg's own work memory is bounded like the bitmap's.
    c.cinfo.mem->max_memory_to_use = static_cast<long>(std::min<size_t>(GetMaxBitmapBytes(), 0x7fffffff));

    c.sourceManager.init_source = InitSource;
    c.sourceManager.fill_input_buffer = FillInputBuffer;
    c.sourceManager.skip_input_data = SkipInputData;
    c.sourceManager.resync_to_restart = jpeg_resync_to_restart;
    c.sourceManager.term_source = TermSource;
    c.sourceManager.next_input_byte = c.source->GetBufferPtr();
    c.sourceManager.bytes_in_buffer = c.source->GetBytesLeft();
    c.cinfo.src = &c.sourceManager;
    if (c.source->GetProgressReceiver() != nullptr) {
        c.progressManager.progress_monitor = ReportProgress;
        c.cinfo.progress = &c.progressManager;
    }

    jpeg_read_header(&c.cinfo, TRUE);
    const bool grey = c.cinfo.jpeg_color_space == JCS_GRAYSCALE;
    const bool eightBit = grey && (c.requestedBpp == 0 || c.requestedBpp == 8);
    c.cinfo.out_color_space = eightBit ? JCS_GRAYSCALE : JCS_EXT_BGRX;
    jpeg_calc_output_dimensions(&c.cinfo);
    // May throw; we are not inside libjpeg here, and the context's destructor cleans up.
    c.bmp->Create(static_cast<int>(c.cinfo.output_width), static_cast<int>(c.cinfo.output_height),
                  eightBit ? 8 : 32, false);

    jpeg_start_decompress(&c.cinfo);
    uint8_t* const* lines = c.bmp->GetLineArray();
    while (c.cinfo.output_scanline < c.cinfo.output_height) {
        const JDIMENSION done = c.cinfo.output_scanline;
        jpeg_read_scanlines(&c.cinfo, const_cast<JSAMPARRAY>(lines + done), c.cinfo.output_height - done);
    }
    jpeg_finish_decompress(&c.cinfo);
    return true;
}

} // namespace

void CJPEGDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    JPEGDecodeContext context;
    InstallJPEGErrorManager(reinterpret_cast<j_common_ptr>(&context.cinfo), context.error);
    context.source = &source;
    context.bmp = &bmp;
    context.requestedBpp = bpp;
    if (!RunDecompress(context)) {
        ThrowJPEGFailure(context.error);
    }
    // Consume what libjpeg read, so a caller that decodes embedded data can go on after it.
    const size_t left = context.fakeEnd ? 0 : context.sourceManager.bytes_in_buffer;
    source.Skip(source.GetBytesLeft() - std::min(left, source.GetBytesLeft()));
}
