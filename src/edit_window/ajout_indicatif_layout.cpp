#include "edit_window/ajout_indicatif.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <initializer_list>
#include <iterator>

#include "database/directory_file.h"
#include "database/messages.h"
#include "edit_window/field_line_edit.h"
#include "platform/platform.h"
#include "shared/sous_programmes.h"
#include "widgets/accessible_role.h"
#include "widgets/caption_fit.h"
#include "widgets/colours.h"
#include "widgets/fonts.h"
#include "widgets/named_control.h"
#include "widgets/spoken_notice.h"
#include "widgets/twips.h"

namespace dravelin {

namespace {

QPushButton* button(QWidget* parent, const char* objectName, const QString& caption, const QRect& geometry)
{
    auto* control = named(new QPushButton(caption, parent), objectName, caption, geometry);
    // Entrée presses the button that has the focus, as Space does.
    control->setAutoDefault(true);
    return control;
}

FieldLineEdit* fieldBox(QWidget* parent, const char* objectName, const QString& accessibleName, const QRect& geometry)
{
    return named(new FieldLineEdit(parent), objectName, accessibleName, geometry);
}

QLabel* fieldLabel(QGroupBox* frame, const char* objectName, const QString& caption, const QRect& geometry,
                   QWidget* buddy)
{
    auto* control = named(new QLabel(caption, frame), objectName, caption, geometry);
    control->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    control->setBuddy(buddy);
    return control;
}

} // namespace

Ajout_Indicatif::Ajout_Indicatif(Platform& platform, Sous_Programmes& shared, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), shared_(shared)
{
    setObjectName(QStringLiteral("Ajout_Indicatif"));
    // A window of its own, not a filler; given before anything asks for its accessible interface.
    setAccessibleRole(this, QAccessible::Window);
    setWindowTitle(QStringLiteral("Modification la base de données"));
    setAccessibleName(windowTitle());
    setFixedSize(twipsToPixels(8295), twipsToPixels(4695));
    setFont(msSansSerif(8));
    buildControls();
    connectControls();
}

Ajout_Indicatif::~Ajout_Indicatif() = default;

void Ajout_Indicatif::buildControls()
{
    // Declared in the designer's order; the boxes and buttons are raised over entryFrame_ below.
    modifyButton_ = button(this, "Modifier", QStringLiteral("Modifier"), twipsRect(4920, 3960, 975, 375));
    deleteButton_ = button(this, "Supprimer", QStringLiteral("Supprimer"), twipsRect(3840, 3960, 975, 375));
    addButton_ = button(this, "Ajouter", QStringLiteral("Ajouter"), twipsRect(2760, 3960, 975, 375));
    saveButton_ = button(this, "Enregistrer", QStringLiteral("Enregistrer"), twipsRect(6000, 3960, 975, 375));
    // A graphical button: drawn by a style that paints the palette's button colour on every system.
    QStyle* graphical = QStyleFactory::create(QStringLiteral("Fusion"));
    if (graphical) {
        graphical->setParent(saveButton_);
        saveButton_->setStyle(graphical);
    }
    saveButton_->setAutoFillBackground(true);

    headerFrame_ = named(new QGroupBox(this), "Frame1", QStringLiteral("En-tête"), twipsRect(1320, 0, 5895, 735));
    headerLabel_ = named(new QLabel(QStringLiteral("Modification de la base de données"), headerFrame_), "Label4",
                         QStringLiteral("Modification de la base de données"), twipsRect(120, 240, 5655, 375));
    headerLabel_->setAlignment(Qt::AlignCenter);
    headerLabel_->setFont(msSansSerif(12, true));

    callsignBox_ = fieldBox(this, "Ind_B", QStringLiteral("Indicatif"), twipsRect(1320, 1200, 1695, 285));
    firstNameBox_ = fieldBox(this, "Pre_B", QStringLiteral("Prenom"), twipsRect(1320, 2160, 3255, 285));
    addressBox_ = fieldBox(this, "Adr_B", QStringLiteral("Adresse"), twipsRect(1320, 2640, 6615, 285));
    cityBox_ = fieldBox(this, "Vil_B", QStringLiteral("Ville"), twipsRect(1320, 3120, 3975, 285));
    postcodeBox_ = fieldBox(this, "Cod_B", QStringLiteral("Code postal"), twipsRect(1320, 3600, 855, 285));
    surnameBox_ = fieldBox(this, "Nom_B", QStringLiteral("Nom"), twipsRect(1320, 1680, 3255, 285));
    boxes_ = {callsignBox_, surnameBox_, firstNameBox_, addressBox_, cityBox_, postcodeBox_};

    quitButton_ = button(this, "Quitter", QStringLiteral("Quitter"), twipsRect(7080, 3960, 855, 375));

    entryFrame_ = named(new QGroupBox(this), "Frame2", QStringLiteral("Fiche"), twipsRect(120, 840, 8055, 3735));
    callsignLabel_ =
        fieldLabel(entryFrame_, "Label2", QStringLiteral("Indicatif"), twipsRect(240, 360, 855, 255), callsignBox_);
    cityLabel_ = fieldLabel(entryFrame_, "Label5", QStringLiteral("Ville"), twipsRect(480, 2280, 615, 255), cityBox_);
    firstNameLabel_ =
        fieldLabel(entryFrame_, "Label6", QStringLiteral("Prenom"), twipsRect(360, 1320, 735, 255), firstNameBox_);
    surnameLabel_ =
        fieldLabel(entryFrame_, "Label7", QStringLiteral("Nom"), twipsRect(480, 840, 615, 255), surnameBox_);
    postcodeLabel_ =
        fieldLabel(entryFrame_, "Label8", QStringLiteral("Code postal"), twipsRect(240, 2760, 855, 255), postcodeBox_);
    addressLabel_ =
        fieldLabel(entryFrame_, "Label9", QStringLiteral("Adresse"), twipsRect(360, 1800, 735, 255), addressBox_);

    notice_ = new SpokenNotice(this);

    widenToCaptions(this);

    for (QWidget* control :
         std::initializer_list<QWidget*>{callsignBox_, surnameBox_, firstNameBox_, addressBox_, cityBox_, postcodeBox_,
                                         quitButton_, saveButton_, addButton_, deleteButton_, modifyButton_})
        control->raise();

    // Tab follows the reading order: the fields from top to bottom as a record line has them,
    // then the buttons from left to right.
    QWidget* const order[] = {callsignBox_, surnameBox_,   firstNameBox_, addressBox_, cityBox_,   postcodeBox_,
                              addButton_,   deleteButton_, modifyButton_, saveButton_, quitButton_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    resetControls();
}

void Ajout_Indicatif::resetControls()
{
    for (FieldLineEdit* fieldBoxControl : boxes_) {
        fieldBoxControl->clear();
        closeBox(fieldBoxControl);
        setBackgroundColour(fieldBoxControl, kFieldDoneColour);
    }
    disableSave();
    for (QPushButton* always : {addButton_, modifyButton_, deleteButton_, quitButton_})
        always->setEnabled(true);
}

void Ajout_Indicatif::closeBox(FieldLineEdit* fieldBoxControl)
{
    // Read-only rather than disabled: the entry stays in the tab order, a screen reader reads
    // it and its text keeps its full contrast.
    fieldBoxControl->setEnabled(true);
    fieldBoxControl->setReadOnly(true);
}

void Ajout_Indicatif::disableSave()
{
    // Light green marks only the control that takes the input next.
    saveButton_->setEnabled(false);
    setBackgroundColour(saveButton_, QGuiApplication::palette().color(QPalette::Button));
}

void Ajout_Indicatif::centre()
{
    // With its native window created, the window's frame counts in its size where the
    // system already knows it.
    create();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2,
             area.y() + (area.height() - frameGeometry().height()) / 2);
    }
}

void Ajout_Indicatif::load()
{
    if (loaded_)
        return;
    resetControls();
    centre();
    shared_.editor.windowLoaded();
    loaded_ = true;
}

void Ajout_Indicatif::unload()
{
    // Closed, not merely hidden, so that the program ends here when the main window has
    // already been closed.
    close();
}

void Ajout_Indicatif::showWindow()
{
    show();
    raise();
    activateWindow();
}

void Ajout_Indicatif::closeEvent(QCloseEvent* event)
{
    // The close box unloads the window without a question, but not in the middle of a
    // rewrite that is letting pending events run.
    if (shared_.editor.busy()) {
        event->ignore();
        return;
    }
    loaded_ = false;
    event->accept();
}

void Ajout_Indicatif::showOutcome(const EditOutcome& outcome)
{
    const std::string text = outcomeMessage(outcome);
    if (!text.empty())
        platform_.showMessage(this, QString::fromStdString(text), MessageButtons::Ok);
}

void Ajout_Indicatif::announceChange(const EditOutcome& outcome)
{
    // Spoken where the focus is, once; the window itself shows nothing new.
    const std::string text = changeAnnouncement(outcome);
    if (!text.empty())
        notice_->announce(QString::fromStdString(text));
}

DirectoryAccess Ajout_Indicatif::directoryAccess()
{
    DirectoryAccess access;
    access.programFolder = platform_.programFolder();
    access.files = &platform_.fileLayer();
    access.afterFirstLine = [this] { platform_.processPendingEvents(); };
    return access;
}

} // namespace dravelin
