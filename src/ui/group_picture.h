#pragma once

#include <QImage>
#include <QString>

namespace velmora {

// The picture of the chat-group page, 272 × 284 pixels: a QR code of
// `address` on white, and below it `invitation`, centred.
QImage DiscussionGroupPicture(const QString& address, const QString& invitation);

} // namespace velmora
