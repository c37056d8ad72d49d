#include "app/qvdoc.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include "app/qvview.h"

namespace tov::app {

CQvDoc::CQvDoc(CQvView& view, QObject* parent) : QObject(parent), view_(view) {
    connect(view_.document(), &QTextDocument::modificationChanged, this, &CQvDoc::changed);
}

bool CQvDoc::wouldReplace(const QString& path) const {
    return tov::sameFile(QFile::encodeName(path).toStdString(), QFile::encodeName(path_).toStdString());
}

QString CQvDoc::title() const {
    return path_.isEmpty() ? QStringLiteral("无标题") : QFileInfo(path_).fileName();
}

bool CQvDoc::isModified() const { return view_.document()->isModified(); }

void CQvDoc::setModified(bool on) { view_.document()->setModified(on); }

void CQvDoc::newDocument() {
    view_.clearReport();
    path_.clear();
    stamp_ = {};
    emit changed();
}

tov::FileResult CQvDoc::open(const QString& path) {
    tov::FileResult r = view_.loadFile(path);
    if (r.ok()) {
        path_ = QFileInfo(path).absoluteFilePath();
        stamp_ = tov::fileStamp(QFile::encodeName(path_).toStdString());
        emit changed();
    }
    return r;
}

tov::FileResult CQvDoc::save(const QString& path, bool overwrite) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const bool own = !path_.isEmpty() && (absolute == path_ || wouldReplace(absolute));
    tov::FileResult r = view_.saveFile(path, own && !overwrite ? &stamp_ : nullptr);
    if (r.ok()) {
        path_ = absolute;
        stamp_ = tov::fileStamp(QFile::encodeName(path_).toStdString());
        emit changed();
    }
    return r;
}

}  // namespace tov::app
