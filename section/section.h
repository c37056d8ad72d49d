// The resistance of a rectangular section with two bar layers under an axial force and a moment
// about one axis: plane sections, the rectangular stress block with the grade's α1, β1 and εcu,
// bar stresses from strain, each bounded by its grade's strengths.
//
// Units inside: N, mm, N/mm², N·mm. A section with a figure out of range (not finite, negative,
// a bar outside the section, a factor without sense) has no state: the functions say not ok,
// give an empty curve, or +inf for a utilisation. Signs: N > 0 is compression; M > 0 compresses the face next
// to As′ (the "top") and stretches As; moments are taken about the mid-depth h/2.
#pragma once

#include <limits>
#include <vector>

namespace tov::section {

/// One bar layer: its area, its depth from the top face, its design strengths and modulus.
struct Layer {
    double area = 0;   ///< mm²
    double depth = 0;  ///< mm, from the top (compressed) face
    double fy = 0;     ///< tensile design strength, N/mm²
    double fyc = 0;    ///< compressive design strength fy′, N/mm²
    double Es = 2.0e5; ///< N/mm²
};

struct RectSection {
    double b = 0, h = 0;                 ///< mm
    double fc = 0, alpha1 = 1, beta1 = 0.8, ecu = 0.0033;
    Layer As;   ///< the bottom layer (depth h − a)
    Layer Asp;  ///< the top layer (depth a′)
};

/// The resultant of the stresses for one neutral-axis depth x (mm from the top face).
struct Resultant {
    double N = 0;  ///< N, compression positive
    double M = 0;  ///< N·mm about h/2, positive compresses the top
    double x = 0;  ///< neutral-axis depth used (mm); +inf for uniform compression, −inf for uniform tension
    double sigmaS = 0;   ///< stress in As, tension positive, N/mm²
    double sigmaSp = 0;  ///< stress in As′, compression positive, N/mm²
};

/// The stresses at neutral-axis depth x (0 < x; the compression block is min(β1·x, h) deep).
Resultant atDepth(const RectSection& s, double x);

/// Largest positive moment the section carries together with the axial force N.
/// xMax caps the neutral-axis depth: an over-reinforced flexural member passes ξb·h0/β1, the
/// balanced depth, so that the block depth is ξb·h0. When equilibrium with N needs a deeper
/// neutral axis than xMax, the capacity is taken at x = xMax, as the code's formula with the
/// block depth ξb·h0 counts it: M is then the moment of the concrete block and of As′ about the
/// As layer, reduced by N·(h0 − h/2) so that for N = 0 it is the flexural capacity; As′ counts at
/// fy′ where the capped block reaches 2a′ (the code's formula holds), else at its plane-section
/// stress at x = xMax; at.N is the force of that state, not N. When N lies outside [−Nt0, N0]
/// there is no capacity: ok is false and M is 0.
struct MomentCapacity {
    bool ok = false;
    Resultant at;
};
MomentCapacity momentCapacity(const RectSection& s, double N,
                              double xMax = std::numeric_limits<double>::infinity());

/// Largest axial force N (compression positive, or the least tension when negative) the section
/// carries at eccentricity e0 = M/N measured from h/2, positive toward the top face.
/// For a tension force give tension = true: the capacity is then the largest tensile force
/// (returned positive) at that eccentricity. When the force is carried with the bottom face
/// compressed, at.x is measured from the bottom face.
struct AxialCapacity {
    bool ok = false;
    double Nu = 0;  ///< N
    Resultant at;
};
AxialCapacity axialCapacity(const RectSection& s, double e0, bool tension = false);

/// Squash load N0 = α1·fc·b·h + fy′·(As + As′) and tensile capacity Nt0 = fy·(As + As′) (N).
double squashLoad(const RectSection& s);
double tensileCapacity(const RectSection& s);

/// The interaction curve: a closed list of (N, M) points running from pure tension through the
/// positive moments to pure compression and back through the negative moments; the last point
/// repeats the first. Forces are evenly spaced, with the balanced state of each side added.
/// Every ray from the origin meets it once; it is convex while the block lies inside the section
/// (within a small dent where a deep As′ yields), not once the whole depth is compressed.
struct Point {
    double N = 0;  ///< N
    double M = 0;  ///< N·mm
};
std::vector<Point> interactionCurve(const RectSection& s, int pointsPerSide = 100);

/// Where a point lies against the curve, along its ray from the origin: the point's distance
/// over the curve's, so at most 1 on or inside it; +inf when the curve gives nothing that way.
double utilisation(const RectSection& s, Point p);

/// The balanced point: As reaches fy as the top fibre reaches εcu.
Resultant balanced(const RectSection& s);

}  // namespace tov::section
