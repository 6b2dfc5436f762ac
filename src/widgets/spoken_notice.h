#pragma once

#include <QString>
#include <QWidget>

namespace dravelin {

// A short message that screen readers speak where the focus is, without taking it and without
// anything shown on screen: an invisible notification that shows itself again at each message.
// Orca speaks a notification as it appears; it speaks nothing for a changed description.
class SpokenNotice : public QWidget {
    Q_OBJECT

public:
    explicit SpokenNotice(QWidget* parent);

    // Spoken once, even when it is the same text as the message before.
    void announce(const QString& text);
    // The message spoken last (empty before the first).
    QString lastAnnounced() const { return accessibleName(); }
    // How many messages were sent to screen readers.
    int announcements() const { return announcements_; }

private:
    int announcements_ = 0;
};

} // namespace dravelin
