#include "ButtonLayout.h"

QString CaptionText(const QString& caption) {
    QString t = caption;
    return t.replace(QLatin1String("||"), QLatin1String("\r\n"));
}

ButtonLayout CalculateLayout(const ButtonModel&, bool refreshPicture, const MeasureText&) {
    ButtonLayout out;
    out.refreshPicture = refreshPicture;
    return out;
}

QSize FitPictureSize(int, int, double width, double height) {
    return QSize(int(width), int(height));
}
