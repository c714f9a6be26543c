#include "AideTextes.h"

// In the bodies, <img src="n1"> ... <img src="n5"> are the numbered markers
// that also appear on the drawings, and <img src="attention"> the warning
// triangle of the calculation page. A list <ul class="n"> has such a picture
// in front of each item instead of a bullet.

namespace Dessin {

static const char* const titres_fr[8] = {
    "Bienvenue et conditions d'utilisation", "La page de calcul",
    "L'œil et la puissance sphérique",       "Kératométrie et unités",
    "Incision et cylindre croisé",           "Résultats et alertes",
    "Autre puissance, puis identification",  "Aperçu, impression et PDF",
};

static const char* const titres_en[8] = {
    "Welcome and conditions of use",
    "The calculation page",
    "Eye and spherical power",
    "Keratometry and units",
    "Incision and crossed cylinder",
    "Results and warnings",
    "Another power, then identification",
    "Preview, printing and PDF",
};

static const char* const corps_fr[8] = {
    // 1
    R"(<p>Ce calculateur aide le chirurgien à choisir la <b>puissance cylindrique</b> de l'implant torique
Brevanta VELAN<sup>®</sup> T et l'<b>axe</b> sur lequel aligner ses marques, à partir de la kératométrie et
de l'incision prévue. Il est réservé à ce modèle d'implant.</p>
<p><b>Conditions d'utilisation.</b> Lisez-les sur la page d'accueil. Le calculateur est réservé aux
professionnels compétents et formés&nbsp;; les valeurs calculées sont fournies à titre indicatif et ne
peuvent être garanties. Cliquer sur «&nbsp;Commencer le calcul&nbsp;&gt;&gt;&nbsp;» vaut acceptation&nbsp;;
pour les refuser, quittez le calculateur.</p>
<p><b>Sur chaque page&nbsp;:</b></p>
<ul class="n">
<li><img src="n1"> les drapeaux changent la langue à tout moment&nbsp;;</li>
<li><img src="n2"> le bouton «&nbsp;?&nbsp;» ouvre cette aide, dont les flèches du bas tournent les pages&nbsp;;</li>
<li><img src="n3"> «&nbsp;Commencer le calcul&nbsp;» ouvre la page de calcul&nbsp;;</li>
<li><img src="n4"> le bouton rouge quitte le calculateur, après confirmation.</li>
</ul>
<p>Rien n'est conservé d'une session à l'autre. Le dernier calcul reste en mémoire tant que le
calculateur est ouvert&nbsp;: en revenant à la page de calcul, il vous est proposé de le reprendre.</p>)",
    // 2
    R"(<p>La page de calcul vous guide pas à pas. Les lignes encore inaccessibles sont grisées&nbsp;; chaque
donnée attendue débloque la suivante&nbsp;:</p>
<ul class="n">
<li><img src="n1"> l'œil opéré, OD ou OS&nbsp;;</li>
<li><img src="n2"> la puissance sphérique de l'implant (SEQ)&nbsp;;</li>
<li><img src="n3"> l'unité de kératométrie, puis K1, K2 et l'axe élevé&nbsp;;</li>
<li><img src="n4"> la position de l'incision et l'astigmatisme induit&nbsp;;</li>
<li><img src="n5"> le bouton «&nbsp;Calculer ...&nbsp;».</li>
</ul>
<p><b>À gauche</b>, les données pré-opératoires, l'astigmatisme pré-opératoire et le cylindre croisé,
calculés aussitôt, puis l'implant torique calculé. <b>À droite</b>, l'œil, le schéma bilan (K1 en tirets
bleus, K2 en rose, incision en rouge foncé, puis l'implant et son axe) et les prévisions
post-opératoires.</p>
<p>Toute donnée modifiée ensuite est recalculée aussitôt. La molette de la souris ne change aucune
valeur&nbsp;: utilisez le clavier ou les flèches des champs.</p>
<p><b>En bas&nbsp;:</b> «&nbsp;&lt;&lt;&nbsp;Page précédente&nbsp;» revient à l'accueil en gardant le
calcul&nbsp;; «&nbsp;Nouveau calcul&nbsp;» repart d'une page vide, sans question&nbsp;;
«&nbsp;Imprimer&nbsp;&gt;&gt;&nbsp;» prépare la feuille de calcul.</p>)",
    // 3
    R"(<p><b>Œil opéré.</b> Cliquez sur «&nbsp;OEIL DROIT (OD)&nbsp;» ou «&nbsp;OEIL GAUCHE (OS)&nbsp;».
L'œil choisi s'affiche en grand à droite et oriente le rapporteur du schéma, vu par le chirurgien
face au patient&nbsp;:</p>
<ul>
<li>OD&nbsp;: côté nasal (N) à droite, vers 0°&nbsp;; temporal (T) à gauche, vers 180°&nbsp;;</li>
<li>OS&nbsp;: nasal à gauche, vers 180°&nbsp;; temporal à droite, vers 0°.</li>
</ul>
<p>Tant que K2 n'est pas saisi, le choix de l'œil place l'incision en temporal&nbsp;: 180° pour l'OD,
0° pour l'OS (vous pourrez la déplacer ensuite). L'œil peut être changé à tout moment.</p>
<p><b>Puissance sphérique de l'implant (SEQ).</b> Choisissez dans la liste, de 10.0 à 35.0&nbsp;D par
pas de 0.5&nbsp;D, l'équivalent sphérique de l'implant&nbsp;: c'est la puissance que vous auriez
calculée pour un implant non torique, avec votre formule de biométrie habituelle. Sans puissance
(«&nbsp;----&nbsp;»), le calcul est refusé.</p>)",
    // 4
    R"(<p>Choisissez d'abord l'unité des mesures&nbsp;: <b>Dioptries (D)</b> ou <b>Millimètres (mm)</b> de
rayon de courbure. Changer d'unité convertit les valeurs déjà saisies, arrondies à 0.01&nbsp;:</p>
<p align="center"><b>K (D) = 337.5 / r (mm)</b></p>
<ul>
<li><b>K1</b>, axe plat&nbsp;: le méridien le moins puissant (le rayon le plus long)&nbsp;;</li>
<li><b>K2</b>, axe élevé&nbsp;: le méridien le plus puissant&nbsp;; indiquez aussi son axe, de 0 à
179° (les flèches avancent de 5°, le clavier donne tout degré)&nbsp;;</li>
<li>l'axe de K1 suit seul, à 90° de celui de K2.</li>
</ul>
<p>Limites acceptées&nbsp;: 30.0 à 60.0&nbsp;D, ou 5.00 à 11.00&nbsp;mm&nbsp;; K2 doit être au moins
égal à K1. Les nombres s'écrivent avec un point décimal.</p>
<p>Dès que K2 est saisi, l'<b>astigmatisme pré-opératoire</b> s'affiche&nbsp;: K2 − K1, sur l'axe de
K2. Le schéma trace K1 en tirets bleus et K2 en trait rose. Exemple à droite.</p>
<p><b>Face postérieure</b> (case à droite de K1)&nbsp;: l'implant est choisi sur l'astigmatisme
cornéen total estimé à partir de K1 et K2 (régression d'Abulafia-Koch). Pas après chirurgie
réfractive cornéenne, kératocône ou cornée irrégulière.</p>)",
    // 5
    R"(<p><b>Position de l'incision</b>&nbsp;: l'emplacement de l'incision principale sur le rapporteur, de
0 à 359° (après 359 vient 0). Elle apparaît en rouge foncé sur le schéma.</p>
<p><b>Astigmatisme induit chirurgicalement</b>&nbsp;: de 0.00 à 5.00&nbsp;D par pas de 0.05&nbsp;D,
selon votre technique et votre expérience. L'incision aplatit la cornée de cette valeur dans son propre
méridien.</p>
<p>Le <b>cylindre croisé (au plan cornéen)</b> combine, méridien par méridien, l'astigmatisme cornéen
et l'effet de l'incision&nbsp;: c'est l'astigmatisme que l'implant doit corriger, avec son axe.</p>
<ul>
<li>incision sur l'axe élevé K2&nbsp;: le cylindre diminue de la valeur induite&nbsp;;</li>
<li>incision sur l'axe plat K1&nbsp;: il augmente d'autant&nbsp;;</li>
<li>entre les deux&nbsp;: la valeur change moins et l'axe tourne un peu.</li>
</ul>
<p>Si l'incision fait tourner l'axe de plus de 45° (l'astigmatisme induit dépasse l'astigmatisme
cornéen le long de l'axe élevé), le calcul est refusé («&nbsp;Inversion astigmatisme&nbsp;»)&nbsp;:
vérifiez la valeur induite.</p>)",
    // 6
    R"(<p>Cliquez sur «&nbsp;Calculer ...&nbsp;»&nbsp;: les données sont vérifiées, un message signale ce qui
manque ou sort des limites. Les résultats apparaissent ensuite&nbsp;:</p>
<ul>
<li><b>Puissance cylindrique conseillée</b>, prise dans la gamme VELAN<sup>®</sup> T (8 puissances,
de 0.75 à 6.00&nbsp;D par pas de 0.75&nbsp;D)&nbsp;: celle qui laisse le plus faible astigmatisme
résiduel sans l'inverser, ou qui laisse au plus 0.10&nbsp;D&nbsp;;</li>
<li><b>(idéale&nbsp;: …)</b>&nbsp;: le cylindre exact nécessaire au plan de l'implant
(«&nbsp;&gt;&nbsp;20.0&nbsp;» au-delà de 20&nbsp;D)&nbsp;;</li>
<li><b>Orientation des marques de l'implant</b>&nbsp;: l'axe du cylindre croisé, sur lequel aligner
les trois points de l'implant&nbsp;; le schéma montre l'implant sur cet axe&nbsp;;</li>
<li><b>Astigmatisme résiduel prévu</b> au plan cornéen, avec son axe, pour l'implant affiché.</li>
</ul>
<ul class="n"><li><img src="attention"> <b>Inversion de l'astigmatisme (sur-correction)</b>&nbsp;: l'axe résiduel est
à plus de 45° de celui du cylindre croisé et le résidu dépasse 0.10&nbsp;D&nbsp;;</li>
<li><img src="attention"> <b>Astigmatisme résiduel élevé (sous-correction)</b>&nbsp;: il reste plus de
1.00&nbsp;D sans inversion, souvent au-delà de la gamme.</li>
</ul>)",
    // 7
    R"(<p><b>Une autre puissance&nbsp;?</b> Sous le résultat, la flèche de la ligne «&nbsp;* Si vous
souhaitez une puissance cylindrique différente…&nbsp;» ouvre la gamme dans une liste déroulante&nbsp;:
chaque puissance avec l'astigmatisme résiduel prévu et, entre parenthèses, le résiduel
«&nbsp;si rotation&nbsp;±5°&nbsp;» de l'implant dans l'œil (le plus élevé des deux sens)&nbsp;; la puissance conseillée est marquée. Une
puissance plus faible tolère souvent mieux une rotation. La puissance choisie remplace l'implant affiché à droite, avec son astigmatisme résiduel et ses
alertes&nbsp;; la puissance conseillée reste affichée à gauche. Toute nouvelle saisie rétablit la
puissance conseillée.</p>
<p><b>Identification.</b> «&nbsp;Imprimer&nbsp;&gt;&gt;&nbsp;» demande un calcul effectué et le
vérifie (si même 0.75&nbsp;D sur-corrige un astigmatisme faible, il vous est demandé de confirmer
le choix d'un implant torique), puis ouvre la fenêtre «&nbsp;Informations supplémentaires&nbsp;»&nbsp;:</p>
<ul>
<li>chirurgien&nbsp;: nom et établissement&nbsp;;</li>
<li>patient&nbsp;: identifiant ou n° (19 caractères au plus) et date de chirurgie prévue, au clavier
ou dans le calendrier&nbsp;;</li>
<li>livraison&nbsp;: adresse, ville, code postal et pays.</li>
</ul>
<p>Ces informations sont reprises aux impressions suivantes&nbsp;; après un «&nbsp;Nouveau
calcul&nbsp;», l'identifiant est vidé et la date revient à aujourd'hui. «&nbsp;OK&nbsp;» ouvre
l'aperçu, «&nbsp;Annuler&nbsp;» revient au calcul.</p>)",
    // 8
    R"(<p>Après «&nbsp;OK&nbsp;», si l'identifiant patient est vide, il vous est demandé&nbsp;: il est
nécessaire au traitement de la commande («&nbsp;Annuler&nbsp;» abandonne l'impression).</p>
<p>L'<b>aperçu avant impression</b> montre la feuille de calcul A4, qui sert aussi de bon de
commande&nbsp;: identification, données pré-opératoires et leur schéma, implant calculé, prévisions
post-opératoires avec leur schéma, tableau de commande et signature.</p>
<ul class="n">
<li><img src="n1"> <b>Imprimer</b>&nbsp;: le bouton d'impression de la barre d'outils de
l'aperçu&nbsp;;</li>
<li><img src="n2"> <b>Enregistrer</b> (la disquette)&nbsp;: propose un fichier PDF nommé d'après
l'identifiant et l'œil, <b>ID_OD.pdf</b> ou <b>ID_OS.pdf</b>&nbsp;; une fois le fichier écrit,
l'aperçu se ferme et le PDF s'ouvre dans votre lecteur habituel.</li>
</ul>
<p>Pour commander en France, renvoyez la feuille par fax ou par courriel&nbsp;; ailleurs, adressez-vous
à votre distributeur local. Vérifiez attentivement chaque information avant de signer.</p>)",
};

static const char* const corps_en[8] = {
    // 1
    R"(<p>This calculator helps the surgeon choose the <b>cylindrical power</b> of the Brevanta
VELAN<sup>®</sup> T toric intraocular lens and the <b>axis</b> on which to align its marks, from the
keratometry and the planned incision. It is meant for this lens model only.</p>
<p><b>Conditions of use.</b> Read them on the welcome page. The calculator is reserved to competent
and trained professionals; calculated values are a guideline only and cannot be warranted. Pressing
“Start calculation&nbsp;&gt;&gt;” means that you accept them; to decline them, close the
calculator.</p>
<p><b>On every page:</b></p>
<ul class="n">
<li><img src="n1"> the flags switch the language at any time;</li>
<li><img src="n2"> the “?” button opens this help, whose arrows below turn the pages;</li>
<li><img src="n3"> “Start calculation” opens the calculation page;</li>
<li><img src="n4"> the red button closes the calculator, after confirmation.</li>
</ul>
<p>Nothing is kept from one session to the next. The last calculation stays in memory while the
calculator is open: when you come back to the calculation page, you are offered to resume it.</p>)",
    // 2
    R"(<p>The calculation page guides you step by step. Rows that cannot be used yet are greyed; each
awaited entry unlocks the next one:</p>
<ul class="n">
<li><img src="n1"> the operated eye, OD or OS;</li>
<li><img src="n2"> the IOL spherical power (SEQ);</li>
<li><img src="n3"> the keratometry unit, then K1, K2 and the steep axis;</li>
<li><img src="n4"> the incision location and the surgically induced astigmatism;</li>
<li><img src="n5"> the “Calculation ...” button.</li>
</ul>
<p><b>On the left</b>, the pre-operative data, the pre-operative astigmatism and the crossed cylinder,
computed at once, then the computed toric IOL. <b>On the right</b>, the eye, the summary diagram (K1
dashed blue, K2 pink, incision dark red, then the lens and its axis) and the post-operative
predictions.</p>
<p>Any later change is recalculated at once. The mouse wheel changes no value: use the keyboard or
the arrows of the fields.</p>
<p><b>At the bottom:</b> “&lt;&lt;&nbsp;Previous page” returns to the welcome page and keeps the
calculation; “New calculation” starts an empty page, without asking; “Print&nbsp;&gt;&gt;” prepares
the calculation sheet.</p>)",
    // 3
    R"(<p><b>Operated eye.</b> Click “RIGHT EYE (OD)” or “LEFT EYE (OS)”. The chosen eye is shown in large
letters on the right and orients the protractor of the diagram, as the surgeon facing the patient
sees it:</p>
<ul>
<li>OD: nasal side (N) on the right, towards 0°; temporal (T) on the left, towards 180°;</li>
<li>OS: nasal on the left, towards 180°; temporal on the right, towards 0°.</li>
</ul>
<p>Until K2 is entered, choosing the eye puts the incision on the temporal side: 180° for OD, 0° for
OS (you can move it afterwards). The eye can be changed at any time.</p>
<p><b>IOL spherical power (SEQ).</b> Choose in the list, from 10.0 to 35.0&nbsp;D in steps of
0.5&nbsp;D, the spherical equivalent of the lens: the power you would have calculated for a
non-toric IOL with your usual biometry formula. Without a power (“----”), the calculation is
refused.</p>)",
    // 4
    R"(<p>First choose the unit of the measurements: <b>Diopter (D)</b> or <b>Millimeter (mm)</b> of radius
of curvature. Changing the unit converts the values already entered, rounded to 0.01:</p>
<p align="center"><b>K (D) = 337.5 / r (mm)</b></p>
<ul>
<li><b>K1</b>, flat axis: the weakest meridian (the longest radius);</li>
<li><b>K2</b>, steep axis: the strongest meridian; also enter its axis, 0 to 179° (the arrows move
by 5°, the keyboard gives any degree);</li>
<li>the K1 axis follows by itself, 90° from the K2 axis.</li>
</ul>
<p>Accepted limits: 30.0 to 60.0&nbsp;D, or 5.00 to 11.00&nbsp;mm; K2 must be at least equal to K1.
Numbers are written with a decimal point.</p>
<p>As soon as K2 is entered, the <b>pre-operative astigmatism</b> is shown: K2 − K1, on the K2 axis.
The diagram draws K1 as a dashed blue line and K2 as a pink line. Example on the right.</p>
<p><b>Posterior cornea</b> (box right of K1): the lens is chosen on the total corneal astigmatism
estimated from K1 and K2 (Abulafia-Koch regression). Not for eyes after corneal refractive surgery,
keratoconus or irregular corneas.</p>)",
    // 5
    R"(<p><b>Incision location</b>: where the main incision lies on the protractor, 0 to 359° (after 359
comes 0). It is drawn dark red on the diagram.</p>
<p><b>Surgically induced astigmatism</b>: 0.00 to 5.00&nbsp;D in steps of 0.05&nbsp;D, from your
technique and experience. The incision flattens the cornea by this amount along its own
meridian.</p>
<p>The <b>crossed cylinder (at corneal plane)</b> combines, meridian by meridian, the corneal
astigmatism and the effect of the incision: it is the astigmatism the lens must correct, with its
axis.</p>
<ul>
<li>incision on the steep axis K2: the cylinder decreases by the induced amount;</li>
<li>incision on the flat axis K1: it increases by as much;</li>
<li>in between: the value changes less and the axis turns a little.</li>
</ul>
<p>If the incision turns the axis by more than 45° (the induced astigmatism exceeds the corneal
astigmatism along the steep axis), the calculation is refused (“Astigmatism inversion”): check the
induced value.</p>)",
    // 6
    R"(<p>Click “Calculation ...”: the data are checked, and a message tells what is missing or out of
range. The results then appear:</p>
<ul>
<li><b>Recommended cylindrical power</b>, taken from the VELAN<sup>®</sup> T range (8 powers, 0.75
to 6.00&nbsp;D in steps of 0.75&nbsp;D): the one that leaves the lowest residual astigmatism
without inverting it, or that leaves 0.10&nbsp;D at most;</li>
<li><b>(ideal : …)</b>: the exact cylinder needed at the lens plane (“&gt;&nbsp;20.0” beyond
20&nbsp;D);</li>
<li><b>IOL axis of placement</b>: the axis of the crossed cylinder, on which to align the three dots
of the lens; the diagram shows the lens on this axis;</li>
<li><b>Estimated residual astigmatism</b> at the corneal plane, with its axis, for the lens
shown.</li>
</ul>
<ul class="n"><li><img src="attention"> <b>Astigmatism inversion (over-correcting)</b>: the residual axis is more
than 45° from that of the crossed cylinder and the residual exceeds 0.10&nbsp;D;</li>
<li><img src="attention"> <b>High residual astigmatism (sub-correction)</b>: more than 1.00&nbsp;D
remains without inversion, often beyond the range.</li>
</ul>)",
    // 7
    R"(<p><b>Another power?</b> Under the result, the arrow of the row “* If you want to select a different
cylindrical power…” opens the range in a drop-down list: each power with its estimated residual
astigmatism and, in brackets, the residual “if rotated&nbsp;±5°” in the eye (the higher of the two
directions); the recommended power is marked. A lower power often tolerates a turn better. The power
chosen replaces the lens shown on the right, with its residual
astigmatism and warnings; the recommended power stays on the left. Any new entry brings the
recommended power back.</p>
<p><b>Identification.</b> “Print&nbsp;&gt;&gt;” needs a finished calculation and checks it again (if
even 0.75&nbsp;D over-corrects a low astigmatism, you are asked to confirm a toric lens), then opens
the “Additional information” window:</p>
<ul>
<li>surgeon: name and establishment;</li>
<li>patient: ID or number (19 characters at most) and planned surgery date, typed or picked in the
calendar;</li>
<li>delivery: address, city, postcode and country.</li>
</ul>
<p>These data are kept for the next prints; after a “New calculation” the patient ID is emptied and
the date comes back to today. “OK” opens the preview, “Cancel” returns to the calculation.</p>)",
    // 8
    R"(<p>After “OK”, if the patient ID is empty, it is asked for: the order cannot be processed without
it (“Cancel” abandons printing).</p>
<p>The <b>print preview</b> shows the A4 calculation sheet, which is also the order form:
identification, pre-operative data and their diagram, computed lens, post-operative predictions with
their diagram, order table and signature.</p>
<ul class="n">
<li><img src="n1"> <b>Print</b>: the printer button of the preview's toolbar;</li>
<li><img src="n2"> <b>Save</b> (the floppy disk, “Enregistrer”): proposes a PDF file named after
the patient ID and the eye, <b>ID_OD.pdf</b> or <b>ID_OS.pdf</b>; once the file is written, the
preview closes and the PDF opens in your usual viewer.</li>
</ul>
<p>To order in France, send the sheet back by fax or e-mail; elsewhere, contact your local
distributor. Check every item carefully before signing.</p>)",
};

TexteAide texte_aide(int n, bool fr) {
    const int i = qBound(1, n, 8) - 1;
    return {QString::fromUtf8(fr ? titres_fr[i] : titres_en[i]),
            QString::fromUtf8(fr ? corps_fr[i] : corps_en[i])};
}

} // namespace Dessin
