#include "ticket/ticket_svg.h"

#include "base/regular_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <vector>

namespace ticket {
namespace {

struct Node {
    std::vector<int> children;
    QString useTarget;  // the id a <use> shows, empty otherwise
};

// Elements a drawing expands to, every <use> counted with what it shows; stops
// counting past `cap`. A <use> that reaches itself counts as too many.
class Expansion {
public:
    Expansion(const std::vector<Node> &nodes, const QHash<QString, int> &ids, qsizetype cap)
        : nodes_(nodes), ids_(ids), cap_(cap), memo_(nodes.size(), -1), onPath_(nodes.size(), false) {}

    qsizetype of(int n) {
        if (memo_[n] >= 0) return memo_[n];
        if (onPath_[n]) return cap_ + 1;
        onPath_[n] = true;
        qsizetype total = 1;
        for (int c : nodes_[n].children) total = qMin(cap_ + 1, total + of(c));
        if (!nodes_[n].useTarget.isEmpty())
            if (const auto it = ids_.constFind(nodes_[n].useTarget); it != ids_.constEnd())
                total = qMin(cap_ + 1, total + of(*it));
        onPath_[n] = false;
        return memo_[n] = total;
    }

private:
    const std::vector<Node> &nodes_;
    const QHash<QString, int> &ids_;
    qsizetype cap_;
    std::vector<qsizetype> memo_;
    std::vector<bool> onPath_;
};

bool isLinkAttribute(const QXmlStreamAttribute &a) {
    return a.name() == QLatin1String("href");  // xlink:href and SVG 2's plain href
}

QByteArray pictureFormat(const QByteArray &bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer).toLower();
}

// A linked picture as a data: URL, or empty when it may not be used (and `why` says so).
class PictureLinks {
public:
    PictureLinks(const QString &folder, qint64 budget)
        : root_(QFileInfo(folder).canonicalFilePath()), dir_(folder), budget_(budget) {}

    QString inlined(const QString &href, QString &why) {
        if (href.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
            // A picture inside may not be an SVG of its own: it would be drawn without these checks.
            const qsizetype comma = href.indexOf(QLatin1Char(','));
            const QByteArray data = comma < 0 ? QByteArray() : QByteArray::fromBase64(href.mid(comma + 1).toLatin1());
            if (!pictureFormat(data).startsWith("svg")) return href;
            why = QStringLiteral("an embedded SVG picture is not drawn");
            return {};
        }
        const QUrl url(href);
        if (!url.isRelative() && !url.isLocalFile()) {
            why = QStringLiteral("the picture link %1 is not a file in the plug-in's folder").arg(href);
            return {};
        }
        const QString path = QFileInfo(dir_.absoluteFilePath(url.isLocalFile() ? url.toLocalFile() : url.path())).canonicalFilePath();
        if (root_.isEmpty() || path.isEmpty() || !path.startsWith(root_ + QLatin1Char('/'))) {
            why = QStringLiteral("the picture link %1 is not a file in the plug-in's folder").arg(href);
            return {};
        }
        const regular_file::Read read = regular_file::read(path, budget_);
        if (!read.ok()) {
            why = QStringLiteral("the linked picture %1 %2").arg(href, read.status == regular_file::Status::TooLarge
                                                                            ? QStringLiteral("is larger than the %1 bytes left for linked pictures").arg(budget_)
                                                                            : regular_file::describe(read.status));
            return {};
        }
        const QByteArray format = pictureFormat(read.bytes);
        if (format.isEmpty() || format.startsWith("svg")) {
            why = QStringLiteral("the linked picture %1 is not a picture that can be drawn inside an SVG").arg(href);
            return {};
        }
        budget_ -= read.bytes.size();
        return QStringLiteral("data:image/%1;base64,").arg(QString::fromLatin1(format)) + QString::fromLatin1(read.bytes.toBase64());
    }

private:
    QString root_;
    QDir dir_;
    qint64 budget_;
};

}  // namespace

SafeSvg makeSafeSvg(const QByteArray &svg, const QString &folder, const SvgLimits &limits) {
    SafeSvg out;
    QXmlStreamReader reader(svg);
    QByteArray rewritten;
    QXmlStreamWriter writer(&rewritten);
    PictureLinks links(folder, limits.maxLinkedPictureBytes);
    std::vector<Node> nodes;
    std::vector<int> open;
    QHash<QString, int> ids;
    QStringList leftOut;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD && !reader.entityDeclarations().isEmpty()) {
            out.problem = QStringLiteral("the SVG declares XML entities, which are not drawn");
            return out;
        }
        if (token == QXmlStreamReader::EndElement) {
            open.pop_back();
            writer.writeCurrentToken(reader);
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            if (token != QXmlStreamReader::Invalid) writer.writeCurrentToken(reader);
            continue;
        }
        if (qsizetype(nodes.size()) >= limits.maxElements) {
            out.problem = QStringLiteral("the SVG has more than %1 elements").arg(limits.maxElements);
            return out;
        }
        const int n = int(nodes.size());
        nodes.push_back({});
        if (!open.empty()) nodes[open.back()].children.push_back(n);
        open.push_back(n);
        const QXmlStreamAttributes attributes = reader.attributes();
        if (const QString id = attributes.value(QLatin1String("id")).toString(); !id.isEmpty()) ids.insert(id, n);
        const bool isImage = reader.name() == QLatin1String("image");
        const bool isUse = reader.name() == QLatin1String("use");
        // Declared before the element is started, so they belong to it and keep their prefixes.
        for (const QXmlStreamNamespaceDeclaration &ns : reader.namespaceDeclarations()) {
            if (ns.prefix().isEmpty()) writer.writeDefaultNamespace(ns.namespaceUri().toString());
            else writer.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
        }
        writer.writeStartElement(reader.namespaceUri().toString(), reader.name().toString());
        for (const QXmlStreamAttribute &a : attributes) {
            QString value = a.value().toString();
            if (isLinkAttribute(a) && isUse && value.startsWith(QLatin1Char('#'))) nodes[n].useTarget = value.mid(1);
            if (isLinkAttribute(a) && isImage) {
                QString why;
                value = links.inlined(value, why);
                if (value.isEmpty()) {
                    leftOut << why;
                    continue;
                }
            }
            writer.writeAttribute(a.namespaceUri().toString(), a.name().toString(), value);
        }
    }
    if (reader.hasError()) {
        out.problem = QStringLiteral("the SVG cannot be read: %1 (line %2)").arg(reader.errorString()).arg(reader.lineNumber());
        return out;
    }
    if (nodes.empty()) {
        out.problem = QStringLiteral("the SVG has no elements");
        return out;
    }
    Expansion expansion(nodes, ids, limits.maxElements);
    if (expansion.of(0) > limits.maxElements) {
        out.problem = QStringLiteral("the SVG expands to more than %1 elements through <use>").arg(limits.maxElements);
        return out;
    }
    out.bytes = rewritten;
    out.problem = leftOut.join(QStringLiteral("; "));
    out.ok = true;
    return out;
}

}  // namespace ticket
