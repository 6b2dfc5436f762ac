#include "main_window/main_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "main_window/criterion_prompts.h"
#include "main_window/result_list_view.h"
#include "widgets/caption_fit.h"
#include "widgets/fonts.h"
#include "widgets/twips.h"
#include "widgets/typing_line_edit.h"

namespace dravelin {

namespace {

// The result list keeps room for a few lines however small the window.
constexpr int kSmallestListHeight = 96;
constexpr int kSmallestListWidth = 240;
// Room kept between the criteria and the prompt when the window narrows.
constexpr int kGap = 8;

} // namespace

void Main::recordDesignedLayout()
{
    // At the designed size every control sits where it was drawn; a larger or smaller window
    // moves the search band and the top-right corner with its edges and gives the difference
    // to the list, its frame and the title.
    designedClient_ = QSize(twipsToPixels(13845), twipsToPixels(6855));
    client_->resize(designedClient_);
    placements_ = {
        {Frame1, Frame1->geometry(), false, false, true, false},
        {Label2, Label2->geometry(), false, false, true, false},
        {Frame5, Frame5->geometry(), true, false, false, false},
        {Line1, Line1->geometry(), false, false, true, false},
        {Frame3, Frame3->geometry(), false, false, true, true},
        {headingStrip_, headingStrip_->geometry(), false, false, true, false},
        {Liste_OM, Liste_OM->geometry(), false, false, true, true},
        {Frame2, Frame2->geometry(), false, true, true, false},
        {Label_Recherche, Label_Recherche->geometry(), true, false, false, false},
        {Libelle, Libelle->geometry(), true, true, false, false},
        {Expert, Expert->geometry(), true, true, false, false},
    };

    // The smallest client area that still shows every control whole: the prompt, at its
    // longest, must not reach the criteria; the title must show; the list keeps a few lines.
    int widestPrompt = Label_Recherche->width();
    for (const QString& prompt : criterionPrompts())
        widestPrompt = std::max(widestPrompt, Label_Recherche->fontMetrics().horizontalAdvance(prompt));
    const int promptLeft = Label_Recherche->geometry().right() + 1 - widestPrompt;
    const int narrowest = std::max({Option4->geometry().right() + kGap - promptLeft,
                                    Label2->fontMetrics().horizontalAdvance(Label2->text()) - Label2->width(),
                                    kSmallestListWidth - Liste_OM->width()});
    const int shortest = kSmallestListHeight - Liste_OM->height() + secondRowHeight();
    oneRowWidth_ = designedClient_.width() + std::min(narrowest, 0);
    // On two rows the band needs the criteria, or the prompt and the query box, whichever is
    // wider; the title gets smaller rather than cut.
    const int band = std::max(Option4->geometry().right() + kGap,
                              Label3->x() + widestPrompt + kGap + Libelle->width() + kGap + Expert->width());
    const int narrowestTwoRows = std::max({Frame2->x() + band + Frame2->x(), kSmallestListWidth + 2 * Liste_OM->x()});
    client_->setMinimumSize(std::min(narrowestTwoRows, oneRowWidth_), designedClient_.height() + std::min(shortest, 0));

    client_->installEventFilter(this);
    if (auto* list = qobject_cast<ResultListView*>(Liste_OM))
        connect(list, &ResultListView::textLeftChanged, this, &Main::placeHeading);
}

bool Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize)
        followClientSize();
    return QMainWindow::eventFilter(watched, event);
}

void Main::followClientSize()
{
    const bool twoRows = client_->width() < oneRowWidth_;
    const int secondRow = twoRows ? secondRowHeight() : 0;
    // The list gives the search band the height of its second row.
    const QSize grown = client_->size() - designedClient_ - QSize(0, secondRow);
    for (const Placement& placement : placements_) {
        QRect place = placement.designed;
        place.translate(placement.followsRight ? grown.width() : 0, placement.followsBottom ? grown.height() : 0);
        if (placement.growsWide)
            place.setWidth(place.width() + grown.width());
        if (placement.growsTall)
            place.setHeight(place.height() + grown.height());
        placement.control->setGeometry(place);
    }
    widenToCaption(Label_Recherche);
    if (twoRows)
        placeSearchOnSecondRow(secondRow);
    fitTitle();
    placeHeading();
}

int Main::secondRowHeight() const
{
    return std::max(Libelle->height(), Label_Recherche->height()) + kGap;
}

void Main::placeSearchOnSecondRow(int rowHeight)
{
    Frame2->setGeometry(Frame2->geometry().adjusted(0, 0, 0, rowHeight));
    const int rowTop = Option1->y() + rowHeight; // inside the band
    QRect prompt = Label_Recherche->geometry();
    prompt.moveTopLeft(QPoint(Label3->x(), rowTop));
    Label_Recherche->setGeometry(prompt);
    // The query box and Expert stand over the band, in the window's coordinates.
    const QPoint boxTop = Frame2->geometry().topLeft() + QPoint(prompt.right() + 1 + kGap, rowTop);
    Libelle->move(boxTop);
    Expert->move(Libelle->geometry().right() + 1 + kGap, boxTop.y());
}

void Main::fitTitle()
{
    // The title shows whole: in a narrow window its letters get smaller.
    QFont font = msSansSerif(18, true);
    while (font.pointSizeF() > 9 && QFontMetrics(font).horizontalAdvance(Label2->text()) > Label2->width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    Label2->setFont(font);
}

void Main::placeHeading()
{
    // The strip spans the list's text area; the heading inside it starts where the lines do.
    auto* list = qobject_cast<ResultListView*>(Liste_OM);
    if (!list || !headingStrip_)
        return;
    const int viewportLeft = Liste_OM->x() + Liste_OM->viewport()->geometry().left() - Frame3->x();
    QRect strip = headingStrip_->geometry();
    strip.setLeft(viewportLeft);
    strip.setWidth(Liste_OM->viewport()->width());
    headingStrip_->setGeometry(strip);
    const int textLeft = Liste_OM->x() + list->textLeft() - Frame3->x() - strip.left();
    Titre->setGeometry(textLeft, 0, std::max(Titre->sizeHint().width(), strip.width()), strip.height());
}

void Main::fitToScreen()
{
    // The designed size, unless the screen is smaller: then the largest size that fits, the
    // list giving up room first.
    const QSize wanted(designedClient_.width(), designedClient_.height() + menuBar()->sizeHint().height());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        resize(wanted);
        return;
    }
    QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 || frame.height() <= 0) // not known before the window is shown
        frame = QSize(2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8,
                      style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8);
    resize(wanted.boundedTo(screen->availableGeometry().size() - frame));
}

} // namespace dravelin
