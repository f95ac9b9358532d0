#pragma once

#include <QDialog>
#include <QMap>
#include <QVector>

class QDomNode;
class QTabWidget;

namespace DORuverud {

class SettingsWidget;

// A tabbed dialog over the process-wide registry of settings pages. It applies
// the pages, and saves or loads all of them as one XML file "*.tqsettings".
// Tabs stand in the order of registration; apply, save and load walk the pages
// in the order of their titles.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget* parent = nullptr);
    // Gives the pages back, so that a later dialog can show them.
    ~SettingsDialog() override;

    // Registers the page under the title. A title registered again keeps its
    // place among the tabs and shows the newer page. The caller keeps the
    // page until a dialog shows it.
    static void addWidget(const QString& title, QWidget* page);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void slotOk();
    void slotApply();
    void slotLoadSettings();
    void slotSaveSettings();

private:
    void createGui();
    QLayout* createTopRow();
    QLayout* createBottomRow();
    // Hands each element below the root to every page of its tag.
    void processDomRoot(const QDomNode& root);
    // The registered settings pages, in title order.
    static QList<SettingsWidget*> settingsPages();

    static QMap<QString, QWidget*> m_mapWidgets;
    static QVector<QString> m_vecTabOrder;
    bool m_guiBuilt = false;
    QTabWidget* m_tabWidget = nullptr;
};

} // namespace DORuverud
