#include "app/linebreaks.h"

namespace tov::app {

ViewText fromFileText(const QString& fileText) {
    qsizetype crlf = 0, loneLf = 0, other = 0;
    const qsizetype n = fileText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = fileText.at(i);
        if (c == u'\r') {
            if (i + 1 < n && fileText.at(i + 1) == u'\n') {
                ++crlf;
                ++i;
            } else {
                ++other;
            }
        } else if (c == u'\n') {
            ++loneLf;
        } else if (c == QChar::ParagraphSeparator) {
            ++other;
        }
    }
    ViewText v;
    if (other == 0 && loneLf == 0) {
        v.text = fromCrLf(fileText);
        v.lineEnd = LineEnd::CrLf;
    } else if (other == 0 && crlf == 0) {
        v.text = fileText;
        v.lineEnd = LineEnd::Lf;
    } else {
        QString t = fileText;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(u'\r', u'\n');
        t.replace(QChar::ParagraphSeparator, u'\n');
        v.text = t;
        v.lineEnd = LineEnd::CrLf;
        v.normalised = true;
    }
    return v;
}

QString toFileText(const QString& viewText, LineEnd lineEnd) {
    if (lineEnd == LineEnd::Lf) return viewText;
    QString t = viewText;
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

QString fromCrLf(const QString& crlfText) {
    // One pass: "\r\n" pairs lose their "\r"; anything else is copied.
    const qsizetype n = crlfText.size();
    const QChar* in = crlfText.constData();
    qsizetype first = 0;
    while (first + 1 < n && !(in[first] == u'\r' && in[first + 1] == u'\n')) ++first;
    if (first + 1 >= n) return crlfText;
    QString t(n - 1, Qt::Uninitialized);
    QChar* out = t.data();
    qsizetype o = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (in[i] == u'\r' && i + 1 < n && in[i + 1] == u'\n') continue;
        out[o++] = in[i];
    }
    t.truncate(o);
    return t;
}

}  // namespace tov::app
