#include "app/window/CameraRows.h"

namespace pw::app::camrows {

QList<int> pageFieldIds(const Row& row) {
    if (row.base == kChase) return {101, 102};
    QList<int> ids;
    for (int column = 0; column < 6; ++column) ids << row.base + 10 * column;
    return ids;
}

int CameraRow(int fieldId) {
    if (fieldId >= 1 && fieldId <= 100) {
        const int r = fieldId % 10;
        return r == 0 ? 10 : r;
    }
    if (fieldId == 101 || fieldId == 102) return kChase;
    if (fieldId >= 104 && fieldId <= 196) {
        const int r = 104 + (fieldId - 104) % 10;
        if (r <= kTCam) return r;
    }
    return fieldId;
}

int quickButtonOfRow(int row, bool chaseFront) {
    switch (row) {
        case kCockpit:
            return 0;
        case kTCam:
            return 1;
        case 1:
            return 11;
        case kChase:
            return chaseFront ? 13 : 12;
        case kVirtual:
            return 14;
        default:
            return row;  // rows 2..10 are buttons "1".."9"
    }
}

int rowOfQuickButton(int button) {
    switch (button) {
        case 0:
            return kCockpit;
        case 1:
            return kTCam;
        case 11:
            return 1;
        case 12:
        case 13:
            return kChase;
        case 14:
            return kVirtual;
        default:
            return button;
    }
}

QString quickButtonCaption(int button) {
    switch (button) {
        case 0:
            return QStringLiteral("C");
        case 1:
            return QStringLiteral("T");
        case 12:
            return QStringLiteral("R");
        case 13:
            return QStringLiteral("F");
        case 14:
            return QStringLiteral("V");
        default:
            return QString::number(button - 1);  // 2..11 -> "1".."10"
    }
}

}  // namespace pw::app::camrows
