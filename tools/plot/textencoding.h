#ifndef KVPLOT_TEXTENCODING_H
#define KVPLOT_TEXTENCODING_H

#include <QByteArrayView>
#include <QStringConverter>

#include <optional>

namespace KvPlot {

// UTF-16 text, told by its byte-order mark or, without one, by ASCII characters alternating with
// NUL bytes in the first bytes of the file.
std::optional<QStringConverter::Encoding> utf16Encoding(QByteArrayView head);

// An XML document or an <svg> element after any blanks.
bool looksLikeSvg(QByteArrayView head);

} // namespace KvPlot

#endif // KVPLOT_TEXTENCODING_H
