// The report document: its file name and modified state. The text lives in the view, which also
// does the transfer to and from the file.
#pragma once

#include <QObject>
#include <QString>

#include "forms/reportfile.h"

namespace tov::app {

class CQvView;

class CQvDoc : public QObject {
    Q_OBJECT
public:
    explicit CQvDoc(CQvView& view, QObject* parent = nullptr);

    /// Full path of the file; empty for a report never saved.
    const QString& pathName() const { return path_; }
    /// The name in the title bar and the prompts: the file's name, or "无标题".
    QString title() const;
    bool isModified() const;
    void setModified(bool on);

    /// A new, empty report.
    void newDocument();
    tov::FileResult open(const QString& path);
    /// Saves to path. Saving over the document's own file checks first that the file is as it was
    /// opened or last saved; when it changed on disk the result has `changed` set and nothing is
    /// written, unless overwrite is given.
    tov::FileResult save(const QString& path, bool overwrite = false);

    /// True when path is the document's own file (same device and inode).
    bool wouldReplace(const QString& path) const;

signals:
    /// The path or the modified state changed.
    void changed();

private:
    CQvView& view_;
    QString path_;
    tov::FileStamp stamp_;  ///< the file as it was opened or last saved
};

}  // namespace tov::app
