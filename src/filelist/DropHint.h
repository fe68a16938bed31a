#pragma once

#include <QObject>
#include <QString>

namespace vantorel {

// The hint box that stands over the list while it is empty or while a folder is searched.
// The captions are in label-mnemonic notation: "&&" shows as one "&".
class DropHint : public QObject {
    Q_OBJECT

public:
    explicit DropHint(QObject* parent = nullptr);

    static QString DragCaption();
    static QString SearchingCaption();

    bool Visible() const { return m_visible; }
    QString Caption() const { return m_caption; }

    void SetVisible(bool visible);
    void SetCaption(const QString& caption);

    // The box over the list while a folder search runs, even when the list has rows.
    void ShowSearching();
    // After a search: the drag caption again, and the box only over an empty list.
    void EndSearch(qsizetype listCount);
    // The box only over an empty list.
    void Update(qsizetype listCount);

Q_SIGNALS:
    void Changed();

private:
    bool m_visible = true;
    QString m_caption;
};

} // namespace vantorel
