#include "app/qvdoc.h"

#include <QFileInfo>
#include <QTextDocument>

#include "app/qvview.h"

namespace tov::app {

CQvDoc::CQvDoc(CQvView& view, QObject* parent) : QObject(parent), view_(view) {
    connect(view_.document(), &QTextDocument::modificationChanged, this, &CQvDoc::changed);
}

QString CQvDoc::title() const {
    return path_.isEmpty() ? QStringLiteral("无标题") : QFileInfo(path_).fileName();
}

bool CQvDoc::isModified() const { return view_.document()->isModified(); }

void CQvDoc::setModified(bool on) { view_.document()->setModified(on); }

void CQvDoc::newDocument() {
    view_.clearReport();
    path_.clear();
    emit changed();
}

tov::FileResult CQvDoc::open(const QString& path) {
    tov::FileResult r = view_.loadFile(path);
    if (r.ok()) {
        path_ = QFileInfo(path).absoluteFilePath();
        emit changed();
    }
    return r;
}

tov::FileResult CQvDoc::save(const QString& path) {
    tov::FileResult r = view_.saveFile(path);
    if (r.ok()) {
        path_ = QFileInfo(path).absoluteFilePath();
        emit changed();
    }
    return r;
}

}  // namespace tov::app
