#include "board/ToolOutput.h"

#include <QRegularExpression>
#include <QStringList>

ProgramSizes programSizes(const QByteArray &sizeTable)
{
    // One "name size address" row a section.
    static const QRegularExpression row(QStringLiteral("^\\.(\\w+)\\s+(\\d+)"),
                                        QRegularExpression::MultilineOption);
    ProgramSizes sizes;
    for (auto match = row.globalMatch(QString::fromLatin1(sizeTable)); match.hasNext();) {
        const auto section = match.next();
        const QString name = section.captured(1);
        const int size = section.captured(2).toInt();
        if (name == u"text" || name == u"data")
            sizes.flash += size;
        if (name == u"data" || name == u"bss" || name == u"noinit")
            sizes.variables += size;
    }
    return sizes;
}

QString firstCompileError(const QByteArray &output, const QString &folder)
{
    const QString text = QString::fromLocal8Bit(output);
    QString first;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.contains(QStringLiteral("error"))) {
            first = line.trimmed();
            break;
        }
    }
    if (first.isEmpty())
        first = text.trimmed().section(u'\n', -1);
    return first.remove(folder + u'/');
}

bool overflowsSram(const QByteArray &linkOutput)
{
    return linkOutput.contains("is not within region `data'");
}
