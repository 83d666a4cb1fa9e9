#pragma once
// The place and folder of a backup, a restore or an export's copy: a list of places (removable
// media first) and a folder box that can be typed into or filled from a folder dialog. Choosing a
// place puts it in the folder box; every change of the folder is announced once the box is left
// or a place or dialog is chosen.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {

class MediaFolderChooser : public QWidget {
    Q_OBJECT
public:
    // placeText / folderText: the captions above the two boxes, with their Alt letters.
    MediaFolderChooser(const QString& placeText, const QString& folderText,
                       QWidget* parent = nullptr);

    void setPlaces(const QStringList& places);
    QString folder() const;
    void setFolder(const QString& folder);

    QComboBox* placeList() const { return DriveList; }
    QLineEdit* folderBox() const { return FolderEdit; }

signals:
    void folderChanged(const QString& folder);

private:
    void DriveListChange(int index);
    void BrowseButtonClick();

    QComboBox* DriveList;
    QLineEdit* FolderEdit;
    QPushButton* BrowseButton;
    QString announced_;
};

}  // namespace ui
