#include "formula_least_squares.h"

#include "number_text.h"

#include <Eigen/Dense>
#include <unsupported/Eigen/LevenbergMarquardt>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

// The scan for the starting values: b from 0 to 100 minutes. The sum of
// squares over b has one valley for real tables, but a start in the wrong
// valley leads Levenberg–Marquardt to a nearby minimum instead of the best.
constexpr double ScanStep = 0.5;
constexpr double ScanEnd = 100;

// Tight enough that the coefficients are good to far more than the 6
// significant digits a formula is written with.
constexpr double Tolerance = 1e-14;
constexpr int MaximumEvaluations = 2000;

std::size_t ColumnCount(const std::vector<TFormulaCell>& cells) {
    std::size_t count = 0;
    for (const TFormulaCell& cell : cells)
        count = std::max(count, cell.column + 1);
    return count;
}

// n from the logarithms for a fixed b: ln i = a_P − n·ln(t + b), each period
// with an intercept of its own.
double LogarithmicExponent(const std::vector<TFormulaCell>& cells, std::size_t columns, double b) {
    const Eigen::Index rows = static_cast<Eigen::Index>(cells.size());
    const Eigen::Index nColumn = static_cast<Eigen::Index>(columns);
    Eigen::MatrixXd design = Eigen::MatrixXd::Zero(rows, nColumn + 1);
    Eigen::VectorXd logIntensities(rows);
    for (Eigen::Index k = 0; k < rows; ++k) {
        const TFormulaCell& cell = cells[static_cast<std::size_t>(k)];
        design(k, static_cast<Eigen::Index>(cell.column)) = 1;
        design(k, nColumn) = -std::log(cell.duration + b);
        logIntensities(k) = std::log(cell.intensity);
    }
    return design.colPivHouseholderQr().solve(logIntensities)(nColumn);
}

// For fixed b and n the formula is linear in A and A·C: their least-squares
// values, and the sum of squared differences they leave.
double FitLinearPart(const std::vector<TFormulaCell>& cells, FormulaShape shape,
                     TFormulaCoefficients& coefficients) {
    const Eigen::Index rows = static_cast<Eigen::Index>(cells.size());
    const bool total = shape == FormulaShape::Total;
    Eigen::MatrixXd design(rows, total ? 2 : 1);
    Eigen::VectorXd intensities(rows);
    for (Eigen::Index k = 0; k < rows; ++k) {
        const TFormulaCell& cell = cells[static_cast<std::size_t>(k)];
        const double decay = std::pow(cell.duration + coefficients.b, -coefficients.n);
        design(k, 0) = decay;
        if (total)
            design(k, 1) = cell.logPeriod * decay;
        intensities(k) = cell.intensity;
    }
    const Eigen::VectorXd linear = design.colPivHouseholderQr().solve(intensities);
    coefficients.a = linear(0);
    coefficients.c = total ? linear(1) / linear(0) : 0;
    return (design * linear - intensities).squaredNorm();
}

TFormulaCoefficients StartingCoefficients(const std::vector<TFormulaCell>& cells,
                                          FormulaShape shape) {
    const std::size_t columns = ColumnCount(cells);
    TFormulaCoefficients best;
    double bestSquares = std::numeric_limits<double>::infinity();
    for (double b = 0; b <= ScanEnd; b += ScanStep) {
        TFormulaCoefficients trial;
        trial.b = b;
        trial.n = LogarithmicExponent(cells, columns, b);
        const double squares = FitLinearPart(cells, shape, trial);
        if (squares < bestSquares) {
            bestSquares = squares;
            best = trial;
        }
    }
    return best;
}

// The differences formula − table and their derivatives, for Eigen's
// Levenberg–Marquardt. The parameters are (A, C, b, n) for the total formula
// and (A, b, n) for a single period.
class FormulaResiduals : public Eigen::DenseFunctor<double> {
public:
    FormulaResiduals(const std::vector<TFormulaCell>& cells, FormulaShape shape)
        : DenseFunctor(shape == FormulaShape::Total ? 4 : 3, static_cast<int>(cells.size())),
          cells_(cells), total_(shape == FormulaShape::Total) {
        for (const TFormulaCell& cell : cells)
            shortestDuration_ = std::min(shortestDuration_, cell.duration);
    }

    InputType Parameters(const TFormulaCoefficients& coefficients) const {
        InputType x(inputs());
        if (total_)
            x << coefficients.a, coefficients.c, coefficients.b, coefficients.n;
        else
            x << coefficients.a, coefficients.b, coefficients.n;
        return x;
    }

    TFormulaCoefficients Coefficients(const InputType& x) const {
        if (total_)
            return {x(0), x(1), x(2), x(3)};
        return {x(0), 0, x(1), x(2)};
    }

    int operator()(const InputType& x, ValueType& residuals) const {
        const TFormulaCoefficients k = Coefficients(x);
        if (shortestDuration_ + k.b <= 0) {
            // (t + b)^n has no value: a step that far is refused by its size.
            residuals.setConstant(values(), OutOfDomain);
            return 0;
        }
        for (int i = 0; i < values(); ++i) {
            const TFormulaCell& cell = cells_[static_cast<std::size_t>(i)];
            residuals(i) = k.a * (1 + k.c * cell.logPeriod) * std::pow(cell.duration + k.b, -k.n) -
                           cell.intensity;
        }
        return 0;
    }

    int df(const InputType& x, JacobianType& jacobian) const {
        const TFormulaCoefficients k = Coefficients(x);
        const int bColumn = total_ ? 2 : 1;
        for (int i = 0; i < values(); ++i) {
            const TFormulaCell& cell = cells_[static_cast<std::size_t>(i)];
            const double decay = std::pow(cell.duration + k.b, -k.n);
            const double factor = 1 + k.c * cell.logPeriod;
            const double intensity = k.a * factor * decay;
            jacobian(i, 0) = factor * decay;
            if (total_)
                jacobian(i, 1) = k.a * cell.logPeriod * decay;
            jacobian(i, bColumn) = -k.n * intensity / (cell.duration + k.b);
            jacobian(i, bColumn + 1) = -std::log(cell.duration + k.b) * intensity;
        }
        return 0;
    }

private:
    static constexpr double OutOfDomain = 1e100;
    const std::vector<TFormulaCell>& cells_;
    bool total_;
    double shortestDuration_ = std::numeric_limits<double>::infinity();
};

bool Converged(Eigen::LevenbergMarquardtSpace::Status status) {
    using namespace Eigen::LevenbergMarquardtSpace;
    switch (status) {
    case RelativeReductionTooSmall:
    case RelativeErrorTooSmall:
    case RelativeErrorAndReductionTooSmall:
    case CosinusTooSmall:
    case FtolTooSmall:
    case XtolTooSmall:
    case GtolTooSmall:
        return true;
    default:
        return false;
    }
}

// A coefficient this close to its bound counts as on it: the table asks for
// the bound itself, whatever the last digits of the minimisation say.
constexpr double BoundaryMargin = 1e-6;

// The fit's minimum lies at or beyond `bound` of the coefficient `name`; the
// best admissible formula would be on the bound.
Failure OnBoundary(const QString& name, double bound, double unconstrained) {
    QString reason = QStringLiteral("拟合结果落在边界 %1 = %2 上")
                         .arg(name, GeneralNumberText(bound, QLatin1Char('.')));
    if (std::abs(unconstrained - bound) > BoundaryMargin)
        reason += QStringLiteral("（不受此限时 %1 = %2）")
                      .arg(name, QString::number(unconstrained, 'g', 4));
    return Failure{reason};
}

} // namespace

Result<TFormulaCoefficients> FitFormulaCoefficients(const std::vector<TFormulaCell>& cells,
                                                    FormulaShape shape) {
    FormulaResiduals residuals(cells, shape);
    Eigen::VectorXd x = residuals.Parameters(StartingCoefficients(cells, shape));
    Eigen::LevenbergMarquardt<FormulaResiduals> minimiser(residuals);
    minimiser.setFtol(Tolerance);
    minimiser.setXtol(Tolerance);
    minimiser.setMaxfev(MaximumEvaluations);
    const Eigen::LevenbergMarquardtSpace::Status status = minimiser.minimize(x);
    const TFormulaCoefficients fitted = residuals.Coefficients(x);
    if (!Converged(status) || !x.allFinite())
        return Failure{QStringLiteral("拟合没有收敛")};
    if (fitted.b <= BoundaryMargin)
        return OnBoundary(QStringLiteral("b"), 0, fitted.b);
    if (fitted.n <= BoundaryMargin)
        return OnBoundary(QStringLiteral("n"), 0, fitted.n);
    if (fitted.n >= 1 - BoundaryMargin)
        return OnBoundary(QStringLiteral("n"), 1, fitted.n);
    return fitted;
}

} // namespace velmora
