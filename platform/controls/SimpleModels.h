#pragma once
// Small control models without widgets: status bar panels, tab strip, file list
// box, image list, tool bar buttons. Positions and panels are numbered from 1,
// file list entries from 0, as the described controls number them.
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform::controls {

class StatusBarModel : public QObject {
    Q_OBJECT
public:
    explicit StatusBarModel(int panelCount = 1, QObject* parent = nullptr);
    int panelCount() const { return static_cast<int>(texts_.size()); }
    QString panelText(int panel) const;                // raises 9 outside 1..panelCount
    void setPanelText(int panel, const QString& text); // raises 9 outside 1..panelCount
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
signals:
    void panelTextChanged(int panel, const QString& text);
    void visibleChanged(bool visible);

private:
    QStringList texts_;
    bool visible_ = true;
};

class TabStripModel : public QObject {
    Q_OBJECT
public:
    explicit TabStripModel(QObject* parent = nullptr);
    int count() const { return static_cast<int>(tabs_.size()); }
    int addTab(const QString& caption, const QString& tag); // at the end; returns its position
    void removeTab(int position);                           // raises 9 out of range
    QString caption(int position) const;
    void setCaption(int position, const QString& caption);
    QString tag(int position) const;
    void setTag(int position, const QString& tag);
    // 0 only while there is no tab. Removing the selected tab selects the one
    // that takes its place, or the one before it when it was the last.
    int selected() const { return selected_; }
    void select(int position); // raises 9 out of range
signals:
    void tabAdded(int position);
    void tabRemoved(int position);
    void captionChanged(int position, const QString& caption);
    void selectedChanged(int position);

private:
    struct Tab {
        QString caption;
        QString tag;
    };
    std::vector<Tab> tabs_;
    int selected_ = 0;
};

// The names of the files of one folder that match a pattern, in alphabetical order.
// The pattern may list several wildcards separated by ';'; "*.*" matches every
// file, with or without an extension. Matching ignores case. A folder that does
// not exist, or no folder at all, lists nothing.
class FileListModel : public QObject {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);
    const QString& path() const { return path_; }
    const QString& pattern() const { return pattern_; }
    void setPath(const QString& folder);     // re-reads the folder
    void setPattern(const QString& pattern); // re-reads the folder
    void refresh();
    int count() const { return static_cast<int>(names_.size()); }
    QString name(int index) const; // raises 9 outside 0..count-1
private:
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
    QStringList names_;
};

// Pictures by key. Raises 35602 on a key added twice.
class ImageListModel {
public:
    void add(const QString& key, const QImage& image);
    bool contains(const QString& key) const;
    QImage image(const QString& key) const; // raises 35601 for an unknown key
    QStringList keys() const;
    int count() const { return static_cast<int>(entries_.size()); }

private:
    struct Entry {
        QString key;
        QImage image;
    };
    std::vector<Entry> entries_;
};

class ToolBarModel : public QObject {
    Q_OBJECT
public:
    struct Button {
        QString key;
        QString imageKey;
        QString toolTip;
        bool enabled = true;
    };
    explicit ToolBarModel(QObject* parent = nullptr);
    // Raises 35602 when a non-empty key is already on the bar.
    void addButton(const QString& key, const QString& imageKey, const QString& toolTip);
    const std::vector<Button>& buttons() const { return buttons_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
    // A click is dispatched by the button's key; an unknown key, or a click while
    // the bar or the button is disabled, does nothing.
    void click(const QString& key);
signals:
    void buttonClicked(const QString& key);
    void buttonAdded(int buttonIndex); // into buttons(), so a widget made earlier follows
    void enabledChanged(bool enabled);
    void visibleChanged(bool visible);

private:
    std::vector<Button> buttons_;
    bool enabled_ = true;
    bool visible_ = true;
};

} // namespace platform::controls
