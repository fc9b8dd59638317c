#pragma once
// What the options dialog's plug-in box changes on the control panel: the size of
// the ticket preview and the company list. The panel implements it, so the dialog
// never reaches into the panel itself.
class QComboBox;

class TicketPanel {
public:
    virtual ~TicketPanel() = default;
    // The panel's company-name list (frmCtl.Combo1).
    virtual QComboBox *companyList() const = 0;
    // Sizes the ticket preview picture; width and height in twips.
    virtual void setPreviewSize(int widthTwips, int heightTwips) = 0;
};
