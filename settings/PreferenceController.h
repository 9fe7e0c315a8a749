#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QLabel;
class QLineEdit;
class QWidget;
namespace Ui {
class Preferences;
}

inline constexpr char CVLDefaultsSpringMinutesKey[] = "defaults.springMinutes";
inline constexpr char CVLDefaultsFallMinutesKey[] = "defaults.fallMinutes";
inline constexpr char CVLDefaultsOrderWritingMinutesKey[] = "defaults.orderWritingMinutes";
inline constexpr char CVLDefaultsUseOrderWritingKey[] = "defaults.useOrderWriting";
inline constexpr char CVLDefaultsMarquisTextKey[] = "defaults.marquisText";
// The game ends with this game-year; 0: it runs on.
inline constexpr char CVLDefaultsLastYearKey[] = "defaults.lastYear";
// The cue output's device id (empty: the system default) and volume in whole percent.
inline constexpr char CVLAudioDeviceKey[] = "audio.device";
inline constexpr char CVLAudioVolumeKey[] = "audio.volume";
// The viewer server: on (1) or off (0), its port, the PIN that guards remote commands (empty:
// none are taken) and the address it listens on (empty: every interface).
inline constexpr char CVLViewerEnabledKey[] = "viewer.enabled";
inline constexpr char CVLViewerPortKey[] = "viewer.port";
inline constexpr char CVLViewerPinKey[] = "viewer.pin";
inline constexpr char CVLViewerAddressKey[] = "viewer.address";

// The operator's preferences. Its class side is the store, over a per-user INI file: every
// read answers what the file holds now (or, while it holds no usable value, the registered
// defaults, which live only in memory); every write is on disk, and read back, before the
// setter returns, and setters answer false when the value could not be saved. An unsaved value
// stays in force until the program ends or a later write saves it. An instance is the controller of
// the preferences window, which it loads from its Designer form on first show.
class PreferenceController : public QObject
{
    Q_OBJECT

public:
    explicit PreferenceController(QObject *parent = nullptr);
    ~PreferenceController() override;

    // Loads the window if needed, fills it with the values in force and brings it forward,
    // above `clockWindow` when given, which gets the keyboard back when the window closes.
    void showWindow(QWidget *clockWindow = nullptr);
    QWidget *window() const { return _window.get(); }

    QLineEdit *marquisTextField() const;
    QLineEdit *springMinutesTextField() const;
    QLineEdit *fallMinutesTextField() const;
    QLineEdit *orderWritingMinutesTextField() const;
    QCheckBox *orderWritingCheckBox() const;
    QLineEdit *lastYearTextField() const;
    QComboBox *outputDeviceComboBox() const;
    QSpinBox *volumeSpinBox() const;
    QPushButton *soundCheckButton() const;
    QCheckBox *viewerCheckBox() const;
    QLineEdit *viewerPortTextField() const;
    QLineEdit *viewerPinTextField() const;
    QLabel *viewerStatusLabel() const;
    QPushButton *viewerRestartButton() const;

    // What the viewer server is doing: its address, or why it is not serving; while remote
    // commands are stopped, a button takes them again.
    void showViewerStatus(const QString &status, bool commandsStopped = false);
    // The sound outputs to choose from: each one's id and description.
    void showOutputs(const QList<QPair<QString, QString>> &outputs);

    // Each stores its control's value when the operator ends an edit.
    void changeMarquisText();
    void changeSpring();
    void changeFall();
    void changeOrderWritingMinutes();
    void changeLastYear();
    void toggleOrderWriting();
    void changeOutputDevice();
    void changeVolume();
    void toggleViewer();
    void changeViewerPort();
    void changeViewerPin();

    static void initialize();

    // Any preference by key, typed, answering its registered default while the file holds
    // no usable value.
    static int intPreference(const QString &key);
    static bool setIntPreference(const QString &key, int value);
    static QString textPreference(const QString &key);
    static bool setTextPreference(const QString &key, const QString &text);

    static int preferenceSpringMinutes();
    static bool setPreferenceSpringMinutes(int minutes);
    static int preferenceFallMinutes();
    static bool setPreferenceFallMinutes(int minutes);
    static int preferenceOrderWritingMinutes();
    static bool setPreferenceOrderWritingMinutes(int minutes);
    static bool preferenceUseOrderWriting();
    static bool setPreferenceUseOrderWriting(bool useOrderWriting);
    static int preferenceLastYear();
    static bool setPreferenceLastYear(int year);
    static bool preferenceIsDropDead();
    static bool setPreferenceIsDropDead(bool isDropDead);
    // A null string when neither the file nor the defaults hold a banner text.
    static QString preferenceMarquisText();
    // Cut at maxMarquisTextLength.
    static bool setPreferenceMarquisText(const QString &text);
    // A pass of a longer banner would outlast a negotiation on a projector.
    static constexpr int maxMarquisTextLength = 2000;

    // Why the last save failed, for the operator; empty when it did not.
    static QString saveProblem();

    // The INI file in use: $XDG_CONFIG_HOME/Corvelworks/MervaneTimer.conf unless another
    // one was chosen (tests keep theirs in a temporary directory).
    static QString storePath();
    static void setStorePath(const QString &path);

    // Empty, or 4 to 8 digits.
    static bool isAcceptablePin(const QString &pin);

signals:
    // The operator asks to hear the zero cue on the chosen output.
    void soundCheckRequested();
    // The referee takes remote commands again after too many wrong PINs stopped them.
    void remoteCommandsRestartRequested();

private:
    static QVariant stored(const QString &key);
    static bool store(const QString &key, const QVariant &value);

    void loadWindow();
    void showStoredValues();
    void showOutputDevices();
    void changeMinutes(QLineEdit *field, QLabel *message, bool (*setter)(int));
    void changeWholeNumber(QLineEdit *field, QLabel *message, const char *key, int lowest,
        int highest, const QString &refusal);
    void reportSave(bool saved);

    bool eventFilter(QObject *watched, QEvent *event) override;

    std::unique_ptr<QWidget> _window;
    std::unique_ptr<Ui::Preferences> _ui;
    QPointer<QWidget> _clockWindow;
    QString _viewerStatus;
    bool _commandsStopped = false;
    QList<QPair<QString, QString>> _outputs;
};
