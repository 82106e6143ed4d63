// kvhost's plot-file handling on arbitrary file contents: the frame delimiter check, the text
// decoding and the path length, which the host shows, rounds and reports with the job.
#include "fuzzsupport.h"
#include "plotfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void takePlotFile(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    PlotFile plot;
    QString error;
    const bool taken = plot.decode(bytes, QStringLiteral("fuzz.plt"), &error);
    const bool acceptable = !bytes.isEmpty() && !bytes.contains('\x02') && !bytes.contains('\x03');
    if (taken != acceptable)
        KvFuzz::fail("plot file accepted or refused against its rules");
    if (!taken) {
        if (error.isEmpty())
            KvFuzz::fail("plot file refused without a reason");
        return;
    }
    if (plot.text.isEmpty())
        KvFuzz::fail("plot file taken without its text");
    if (!std::isfinite(plot.pathLengthMm) || plot.pathLengthMm < 0)
        KvFuzz::fail("plot path length is not a finite length");
}

} // namespace

KV_FUZZ_TARGET(Off, takePlotFile)
