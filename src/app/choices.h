#pragma once
// The item indexes of the tool panel's radio groups, by name.

namespace korvel {

// RadioGroup_symetrie.
enum class Symetrie : int { rosace = 0, vitrail = 1, miroir_vertical = 2, quatre_quarts = 3, unique = 4 };
// RadioGroup_type_trace.
enum class TypeTrace : int { crayon = 0, lignes = 1, eventail = 2, points = 3, losanges = 4, delie_elliptique = 5 };
// RadioGroup_peindre_dessiner: drawing, or one of the two painting modes.
enum class ModePeinture : int { dessiner = 0, peind_tant_que = 1, peind_jusqua = 2 };
// RadioGroup_couleur_crayon and RadioGroup_couleur_peinture.
enum class ChoixCouleur : int { aleatoire = 0, choisie = 1 };

}  // namespace korvel
