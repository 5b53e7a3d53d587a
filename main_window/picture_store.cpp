#include "main_window/picture_store.h"

#include "core/name_tables.h"
#include "model/calculation.h"
#include "window_kit/window_look.h"

#include <QRegularExpression>
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
        for (int step : calc::kFillSteps)
            all << QString::fromLatin1(shape.picturePrefix.data(), static_cast<qsizetype>(shape.picturePrefix.size()))
                       + QString::number(step);
    return all;
}

QPixmap PictureStore::picture(const QString& name) const
{
    return pictures.value(name);
}

QString PictureStore::describe(const QString& name)
{
    static const QRegularExpression parts(QStringLiteral("^([fcv])tank(\\d+)$"));
    const auto match = parts.match(name);
    if (!match.hasMatch())
        return {};
    const QChar shape = match.captured(1).at(0);
    const int step = match.captured(2).toInt();
    const QString tank = shape == 'f'   ? QStringLiteral("Flat-ended tank")
                         : shape == 'c' ? QStringLiteral("Tank with hemispherical ends")
                                        : QStringLiteral("Upright tank");
    QString fill;
    switch (step) {
    case 0: fill = QStringLiteral("empty"); break;
    case 10: fill = QStringLiteral("a little product in it"); break;
    case 25: fill = QStringLiteral("about a quarter full"); break;
    case 50: fill = QStringLiteral("about half full"); break;
    case 75: fill = QStringLiteral("about three quarters full"); break;
    case 90: fill = QStringLiteral("nearly full"); break;
    default: fill = QStringLiteral("full"); break;
    }
    return tank + QStringLiteral(", ") + fill;
}
