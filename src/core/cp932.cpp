#include "core/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <string>

namespace {

// iconv descriptors are reused: opening one costs far more than a conversion.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one unit; returns false when iconv refuses it.
    bool convert(const char *in, size_t inLen, std::string &out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buf[16];
        char *inPtr = const_cast<char *>(in);
        char *outPtr = buf;
        size_t outLeft = sizeof buf;
        size_t rc = iconv(cd_, &inPtr, &inLen, &outPtr, &outLeft);
        if (rc == static_cast<size_t>(-1) || inLen != 0) return false;
        out.append(buf, sizeof buf - outLeft);
        return true;
    }

private:
    iconv_t cd_;
};

std::mutex &codecMutex() {
    static std::mutex m;
    return m;
}

Converter &toCp932() {
    static Converter c("CP932", "UTF-8");
    return c;
}

Converter &fromCp932() {
    static Converter c("UTF-8", "CP932");
    return c;
}

}  // namespace

namespace cp932 {

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

QByteArray encode(const QString &text) {
    std::lock_guard<std::mutex> lock(codecMutex());
    Converter &conv = toCp932();
    QByteArray result;
    result.reserve(text.size() * 2);
    std::string out;
    // One character at a time, so that a character CP932 lacks becomes exactly one "?".
    for (int i = 0; i < text.size();) {
        const char32_t cp = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                : text.at(i).unicode();
        const int units = cp > 0xFFFF ? 2 : 1;
        if (cp < 0x80) {
            result.append(static_cast<char>(cp));
        } else {
            const QByteArray utf8 = text.mid(i, units).toUtf8();
            out.clear();
            if (conv.ok() && conv.convert(utf8.constData(), utf8.size(), out))
                result.append(out.data(), static_cast<qsizetype>(out.size()));
            else
                result.append('?');
        }
        i += units;
    }
    return result;
}

QString decode(const QByteArray &bytes) {
    std::lock_guard<std::mutex> lock(codecMutex());
    Converter &conv = fromCp932();
    std::string out;
    out.reserve(bytes.size() * 3);
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        // A lead byte pairs only with a byte that can be a trail byte; otherwise the next
        // byte (often a comma or a line break) stands on its own and must not be lost.
        const int len = (isLeadByte(b) && i + 1 < n && isTrailByte(p[i + 1])) ? 2 : 1;
        if (!conv.ok() || !conv.convert(reinterpret_cast<const char *>(p + i), len, out))
            out.append("\xEF\xBF\xBD");  // U+FFFD
        i += len;
    }
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

}  // namespace cp932
