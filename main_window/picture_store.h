#pragma once

// The hidden store of tank pictures: one for each shape and fill step,
// named as "ftank50" (flat ends), "ctank…" (hemispherical ends) and
// "vtank…" (upright). It is a window that is never shown.

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

class PictureStore : public QWidget {
    Q_OBJECT
public:
    explicit PictureStore(QWidget* parent = nullptr);

    // The named picture, or a null pixmap for a name the store lacks.
    QPixmap picture(const QString& name) const;

    // "Flat-ended tank, about half full", for screen readers.
    static QString describe(const QString& name);

    // Every picture name, in shape then fill-step order.
    static QStringList names();

private:
    QHash<QString, QPixmap> pictures;
};
