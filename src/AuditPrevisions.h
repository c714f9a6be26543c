#ifndef AUDITPREVISIONS_H
#define AUDITPREVISIONS_H

#include "AstigmatismeInduit.h"
#include "CorneePosterieure.h"

#include <QList>
#include <QString>

class CalculTorique;

// How well the predicted residual astigmatism held on operated eyes: for
// each eye, the astigmatism its manifest refraction shows after the
// operation, carried to the corneal plane, against the residual that the
// calculation predicts for the lens implanted on the axis where it was
// placed, on each basis of the choice (the anterior keratometry as measured,
// or the total cornea estimated from it).
//
// The prediction error of an eye is actual minus predicted, as vectors on
// the double angle (a cylinder C at axis a is (C cos 2a, C sin 2a)); left
// eyes are not mirrored, since the posterior cornea's bias lies along
// 0/90 degrees in both eyes. Over the eyes, the figures of the cataract
// journals' reporting standard (Abulafia, Koch, Holladay, Wang, Hill,
// "Pursuing perfection in intraocular lens calculations IV", J Cataract
// Refract Surg 2018; Koch et al., JCRS 2021;47:100): the centroid of the
// errors with the standard deviations (n - 1) of its components, the mean,
// standard deviation and median of the error magnitudes, and the share of
// eyes whose error is within 0.25, 0.50, 0.75 and 1.00 D.
class AuditPrevisions {
public:
    using Vecteur = AstigmatismeInduit::Vecteur;

    // The bases compared, indexed by CorneePosterieure::Methode.
    static constexpr int NB_BASES = 2;
    static constexpr int NB_SEUILS = 4;
    static constexpr double SEUILS[NB_SEUILS] = {0.25, 0.50, 0.75, 1.00};

    // An astigmatism as the eye's meridian of greatest power: magnitude in
    // dioptres, axis in whole degrees 0 to 179.
    struct Astigmatisme {
        double D = 0;
        int axe = 0;
        Vecteur vecteur() const;
    };

    // The astigmatism of a manifest refraction (sphere, cylinder of either
    // sign, axis; 180 is 0) at the corneal plane: each principal meridian,
    // the sphere on the axis and sphere + cylinder across it, carried from
    // the spectacle plane by P' = P / (1 - d P), d the vertex distance in
    // metres; the cylinder is their difference, on the axis for a plus
    // cylinder and across it for a minus one (the refraction corrects the
    // eye: where it adds the least power, the eye has the most).
    static Astigmatisme refraction_cornee(double sph, double cyl, int axe, double vertex_mm);

    // The residual predicted for a lens of cylinder `cyl` placed with its
    // flat meridian on `axe_lentille`, on a basis: `saisie` holds the eye as
    // typed (keratometry in its unit, axes, incision, spherical power); the
    // chain runs on a copy up to the cornea at the lens plane.
    static Astigmatisme prediction(const CalculTorique& saisie, CorneePosterieure::Methode base, double cyl,
                                   int axe_lentille);

    // One operated eye, with its line in the file it came from.
    struct Oeil {
        qint64 ligne = 0;
        QString oeil; // "OD" or "OS"
        Astigmatisme actuel;
        Astigmatisme predit[NB_BASES];
        Vecteur erreur[NB_BASES];
    };
    void ajouter(qint64 ligne, const QString& oeil, const Astigmatisme& actuel,
                 const Astigmatisme (&predit)[NB_BASES]);
    const QList<Oeil>& yeux() const { return yeux_ap; }

    // The figures of a set of vectors: those of the induced astigmatism's
    // series (centroid, standard deviations of the components and of the
    // magnitudes, mean magnitude, 95 % ellipses), the median magnitude and
    // the percentage (0 to 100) of magnitudes within each threshold. With no
    // vector every figure is NaN.
    struct Resume {
        AstigmatismeInduit::Bilan bilan;
        double mediane_D = 0;
        double dans[NB_SEUILS] = {0, 0, 0, 0};
    };
    static Resume resumer(const QList<Vecteur>& vecteurs);

    // The prediction errors of a basis, and the actual astigmatisms.
    QList<Vecteur> erreurs(CorneePosterieure::Methode base) const;
    QList<Vecteur> actuels() const;

    // --- texts, shared by the command line and the plot -----------------
    enum Libelle {
        TITRE,          // "Erreur de prédiction de l'astigmatisme résiduel"
        SOUS_TITRE,     // what the errors are
        BASE_AUCUNE,    // the anterior keratometry
        BASE_TOTALE,    // the estimated total cornea
        ERREUR_MOYENNE, // mean absolute error
        ERREUR_MEDIANE, // median absolute error
        DANS,           // "Yeux à ±%1 près"
        MEILLEURE,      // what the mark of the better basis means
        REEL,           // the actual refractive astigmatism
        ACTUEL,         // "réel"
        PREDIT,         // "prédit"
        ERREUR,         // "erreur"
    };
    static QString libelle(Libelle l, const QString& langue);
    // The name of a basis in the language.
    static QString base(CorneePosterieure::Methode m, const QString& langue);
    // "Yeux à ±0.50 D près" for threshold s.
    static QString dans(int s, const QString& langue);
    // A percentage as the outputs write it: "72 %" ("72%" in English), one
    // decimal when it is not whole ("66.7 %").
    static QString pourcentage(double p, const QString& langue);

private:
    QList<Oeil> yeux_ap;
};

#endif
