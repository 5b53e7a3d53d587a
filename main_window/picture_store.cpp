#include "main_window/picture_store.h"

#include "core/name_tables.h"
#include "window_kit/window_look.h"

#include <QStringList>

PictureStore::PictureStore(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmImages");
    const QStringList all = names();
    for (const QString& name : all)
        pictures.insert(name, windowkit::tankPixmap(name));
}

QStringList PictureStore::names()
{
    QStringList all;
    for (const tank::ShapeName& shape : tank::kShapes)
        for (const tank::FillStep& step : tank::kFillSteps)
            all << QString::fromStdString(tank::pictureName(shape, step));
    return all;
}

QPixmap PictureStore::picture(const QString& name) const { return pictures.value(name); }

QString PictureStore::describe(const QString& name)
{
    const std::string wanted = name.toStdString();
    for (const tank::ShapeName& shape : tank::kShapes)
        for (const tank::FillStep& step : tank::kFillSteps)
            if (tank::pictureName(shape, step) == wanted)
                return QString::fromStdString(std::string(shape.pictureWords) + ", " + std::string(step.words));
    return {};
}
