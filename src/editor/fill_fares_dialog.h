#pragma once
// "運賃の一括入力": one dialog with the three ways operators set fares (one flat
// fare, a fare for each pair of zones, fare bands by distance).
#include "core/route_fills.h"

#include <QDialog>
#include <variant>

class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;

namespace route {

using FareFill = std::variant<FlatFare, ZoneFares, DistanceFares>;

class FillFaresDialog : public QDialog {
    Q_OBJECT
public:
    // `zones`: the stops' zones, for the table of zone fares.
    FillFaresDialog(const QList<int> &zones, QWidget *parent = nullptr);
    FareFill fill() const;

private:
    QWidget *flatPage();
    QWidget *zonePage();
    QWidget *distancePage();

    QList<int> zones_;
    QRadioButton *optFlat_, *optZone_, *optKm_;
    QStackedWidget *pages_;
    QSpinBox *txtFlatFare_ = nullptr;
    QTableWidget *grdZoneFares_ = nullptr;
    QSpinBox *txtBaseFare_ = nullptr;
    QDoubleSpinBox *txtBaseKm_ = nullptr, *txtBandKm_ = nullptr, *txtBandPrice_ = nullptr;
};

// Applies a fill to a copy of the route; the rides filled and the pairs without a fare.
Document applyFill(const Document &doc, const FareFill &how, int *rides, int *missing);

}  // namespace route
