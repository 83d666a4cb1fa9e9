#pragma once
// Pieces the report selection windows share: the date pair with the financial-year default,
// the department selector and the account-code box with its picker.

#include <QDate>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ui {
class DateBox;
class Navigator;
}  // namespace ui

namespace reports {

// "<leading> [from] <middle> [to]": from-date 1 April of the financial year that holds today,
// to-date today.
class PeriodSelector : public QWidget {
    Q_OBJECT
public:
    PeriodSelector(const QString& leading, const QString& middle, QWidget* parent = nullptr);
    void setDefaults(const QDate& today = QDate::currentDate());
    QDate from() const;
    QDate to() const;
    ui::DateBox* fromBox() const { return from_; }
    ui::DateBox* toBox() const { return to_; }

private:
    ui::DateBox* from_;
    ui::DateBox* to_;
};

// "&Report for Specific Department": unticked, the report covers the whole company; ticked, the
// code box, a navigator over the company's departments and the department's name show.
class DepartmentSelector : public QWidget {
    Q_OBJECT
public:
    explicit DepartmentSelector(QWidget* parent = nullptr);
    ~DepartmentSelector() override;

    // Opens the company's departments on the connection; close() before it disconnects.
    void open(store::Connection& connection, int coy);
    void close();

    // The department's LINKCODE when the box is ticked and a department is selected, else "".
    QString linkCode() const;
    bool departmentSelected() const { return selected_; }

    QCheckBox* checkBox() const { return check_; }
    QLineEdit* codeEdit() const { return code_; }
    QLabel* nameLabel() const { return name_; }
    ui::Navigator* navigator() const { return navigator_; }

private:
    void DeptCheckBoxClick();
    void DeptEditChange();
    void showCurrentDepartment();
    void setDetailsVisible(bool visible);

    store::Connection* connection_ = nullptr;
    int coy_ = 0;
    std::unique_ptr<store::Table> departments_;
    QCheckBox* check_;
    QLabel* codeLabel_;
    QLineEdit* code_;
    ui::Navigator* navigator_;
    QLabel* name_;
    bool selected_ = false;
    QString link_;
};

// An account code with a picker button and the account's description (or the not-found text).
class AccountCodeBox : public QWidget {
    Q_OBJECT
public:
    explicit AccountCodeBox(QWidget* parent = nullptr);

    void open(store::Connection& connection, int coy);
    void close() { connection_ = nullptr; }

    QString code() const;
    bool found() const { return found_; }
    QLineEdit* codeEdit() const { return code_; }
    QToolButton* pickButton() const { return pick_; }
    QLabel* nameLabel() const { return name_; }

    QString notFoundText = QStringLiteral("Cannot find this transaction code");
    // Returns the chosen account code, or "" when nothing was chosen. By default a list of the
    // company's active accounts.
    std::function<QString()> pickAccount;

private:
    void AcctEditChange();
    void AcctPickButtonClick();
    QString pickFromList();

    store::Connection* connection_ = nullptr;
    int coy_ = 0;
    QLineEdit* code_;
    QToolButton* pick_;
    QLabel* name_;
    bool found_ = false;
};

}  // namespace reports
