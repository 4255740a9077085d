#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "core/images/DecodedImage.h"
#include "preview/PreviewMessages.h"

namespace pw::preview::fakes {

class CollectedMessages : public MessageSink {
public:
    void show(const images::ImageMessage& message) override { shown.append(message); }
    QList<images::ImageMessage> shown;
};

// A w x h image whose every pixel is (r, g, b[, a]).
images::DecodedImage solidImage(int w, int h, int r, int g, int b, int a = -1);

// Writes bytes to folder/relative (creating folders).
void writeFile(const QString& folder, const QString& relative, const QByteArray& bytes);

}  // namespace pw::preview::fakes
