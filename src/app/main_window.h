#pragma once
// TForm1: the one window. It owns every control model and the drawing state;
// its handlers and routines are defined in the source files of their
// subsystems (app/, draw/, colour/, files/, ui/, sound/).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/choices.h"
#include "platform/audio_out.h"
#include "platform/canvas.h"
#include "platform/console.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/geometry.h"
#include "platform/image_files.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/text.h"
#include "platform/text_files.h"
#include "platform/user_directories.h"

namespace korvel {

struct CopieContexte;  // draw/copie.h
struct ParametresGuides;  // draw/guides.h
struct ReglagesTrace;  // draw/reglages_trace.h
enum class Reglages;
class SnapshotWriter;  // files/snapshot_writer.h
enum class RingTaking : std::uint8_t;  // files/data_directory.h
struct SnapshotOutcome;
enum class TimelapseFrame : std::uint8_t;
class Recording;         // files/timelapse_recording.h
class TimelapseExport;   // files/timelapse_export.h

// Whether trace_symetrique skips a drawn copy that repeats the previous one
// where that provably changes nothing and paints its copies through one
// series of fills (`sautees`), or draws every copy and fills each on its own
// (`toutes`, the plain path these are checked against).
enum class Repetitions { sautees, toutes };

// The picture: an image control, its canvas and its mouse events.
class TImage : public Control, public MouseEvents {
 public:
  explicit TImage(std::string name) : Control(ControlKind::Image, std::move(name)) {}
  Canvas& canvas() { return m_canvas; }
  const Canvas& canvas() const { return m_canvas; }
  // Makes a new graphic of that size, every pixel `colour`: the canvas is
  // new, with the platform's default pen and brush.
  void new_graphic(int width, int height, TColor colour);

 private:
  Canvas m_canvas;
};

// A point of the elliptical stroke, wide enough for reflected corners.
struct PointEllipse {
  std::int64_t x = 0, y = 0;
};

class ScrollBox : public Control {
 public:
  explicit ScrollBox(std::string name) : Control(ControlKind::ScrollBox, std::move(name)) {}
};

// What the window needs from the machine it runs on.
struct Services {
  Desktop& desktop;
  ImageFiles& image_files;
  // Full path of the running program.
  std::string program_path;
  // Where files go when the program's directory is not writable or is one
  // of the system's.
  UserDirectories user_dirs;
  // The parameter file and the data directory.
  TextFiles& text_files;
  AudioOut& audio;
  // Standard output and input, for the sound's reports.
  Console& console;
};

inline constexpr TColor clBtnFace = 0xF0F0F0;
inline constexpr TColor clWindow = 0xFFFFFF;
// The tool panel's colour at start, until the settings give another.
inline constexpr TColor kCouleurMenuDepart = RGB(255, 128, 64);

// Its own mouse events are those of the bare window, outside every control.
class TForm1 : public MouseEvents {
 public:
  explicit TForm1(Services services);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Desktop& desktop() { return m_services.desktop; }
  ImageFiles& image_files() { return m_services.image_files; }
  TextFiles& text_files() { return m_services.text_files; }
  AudioOut& audio() { return m_services.audio; }
  Console& console() { return m_services.console; }
  RandomGenerator& random() { return m_random; }
  int Random(int n) { return m_random.Random(n); }

  // ---- window -------------------------------------------------------------
  std::string Caption = "Korvel";
  TColor Color = clOlive;
  // The view honours these: the window's key handlers see every key before
  // the focused control; a maximised borderless window covers the screen.
  bool KeyPreview = true;
  bool Maximized = false;
  bool Borderless = false;
  int ClientWidth = 1425, ClientHeight = 625;  // design client size
  // The view tells the window its new client size, then calls FormResize.
  void set_client_size(int width, int height);
  // Lays out the aligned controls (ScrollBox1 alClient, Panel1 alBottom).
  void realign();
  // The control holding the keyboard focus (nullptr: the window itself).
  Control* focused_control = nullptr;
  // The focus moves to `target`, by SetFocus or by the user. Entering another
  // control runs its OnEnter at once, nested in the caller.
  void move_focus(Control* target);
  std::function<void()> on_focus_changed;  // the view's slot, after SetFocus
  // The view reports each activation of the window: FormActivate runs at the
  // first only, returns from dialogs and other programs raising none.
  void window_activated();
  // The view reports the window's client size: FormResize runs unless the
  // picture was already made for that size.
  void window_resized(int width, int height);
  bool terminated = false;

  // ---- controls, in creation order ----------------------------------------
  ScrollBox ScrollBox1{"ScrollBox1"};
  TImage Image1{"Image1"};
  Panel Panel1{"Panel1"};
  Panel Panel_new_fond_noir{"Panel_new_fond_noir"};
  Panel Panel2{"Panel2"};
  RadioGroup RadioGroup_peindre_dessiner{"RadioGroup_peindre_dessiner"};
  Panel Panel9{"Panel9"};
  Label Label7{"Label7"};
  Edit Edit6{"Edit6"};
  UpDown UpDown5{"UpDown5"};
  Label Label3{"Label3"};
  Edit Edit3{"Edit3"};
  UpDown UpDown2{"UpDown2"};
  CheckBox CheckBox_epaisseur{"CheckBox_epaisseur"};
  RadioGroup RadioGroup_couleur_crayon{"RadioGroup_couleur_crayon"};
  Panel Panel_crayon{"Panel_crayon"};
  RadioGroup RadioGroup_couleur_peinture{"RadioGroup_couleur_peinture"};
  Panel Panel_peinture{"Panel_peinture"};
  CheckBox CheckBox_ombre_1{"CheckBox_ombre_1"};
  CheckBox CheckBox_ombre_2{"CheckBox_ombre_2"};
  Edit Edit7{"Edit7"};
  UpDown UpDown6{"UpDown6"};
  RadioGroup RadioGroup_coul_type{"RadioGroup_coul_type"};
  Panel Panel10{"Panel10"};
  RadioGroup RadioGroup_type_trace{"RadioGroup_type_trace"};
  RadioGroup RadioGroup_symetrie{"RadioGroup_symetrie"};
  Label Label2{"Label2"};
  Edit Edit1{"Edit1"};
  UpDown UpDown1{"UpDown1"};
  ComboBox ComboBox1{"ComboBox1"};
  CheckBox CheckBox_spirale{"CheckBox_spirale"};
  Label Label1{"Label1"};
  Panel Panel3{"Panel3"};
  Edit Edit4{"Edit4"};
  UpDown UpDown3{"UpDown3"};
  Label Label4{"Label4"};
  Panel Panel7{"Panel7"};
  Panel Panel5{"Panel5"};
  Label Label_rep{"Label_rep"};
  Edit Edit5{"Edit5"};
  UpDown UpDown4{"UpDown4"};
  Panel Panel6{"Panel6"};
  Panel Panel_stop{"Panel_stop"};
  Label Label_x{"Label_x"};
  Label Label_y{"Label_y"};
  Edit Edit2{"Edit2"};
  CheckBox CheckBox_panel_disparait_auto{"CheckBox_panel_disparait_auto"};
  Panel Panel12{"Panel12"};
  Panel Panel_quit{"Panel_quit"};
  Panel Panel11{"Panel11"};
  Edit Edit_nom_generique{"Edit_nom_generique"};
  Panel Panel13{"Panel13"};
  Panel Panel4{"Panel4"};
  Label Label10{"Label10"};
  Label Label5{"Label5"};
  Label Label6{"Label6"};
  Label Label8{"Label8"};
  Label Label9{"Label9"};
  Panel Panel8{"Panel8"};
  SpeedButton SpeedButton_exit_help{"SpeedButton_exit_help"};
  Memo Memo1{"Memo1"};
  Timer Timer1{"Timer1"};
  Timer Timer2{"Timer2"};
  // ColorDialog1: its 16 custom colours, and the colour it opens on, the one
  // confirmed last in any of its uses.
  CustomColours ColorDialog1_CustomColors{};
  TColor ColorDialog1_Color = clBlack;

  // Every control, in creation order, for the view and for tests.
  const std::vector<Control*>& controls() const { return m_controls; }
  Control* find_control(const std::string& name) const;

  // ---- private fields of the window (drawing state) -------------------------
  bool trace_en_cours = false;
  bool apercu_trace = false;
  TColor coul_crayon = 0;
  TColor coul_crayon_prec = 0;
  int rouge_crayon = 0, vert_crayon = 0, bleu_crayon = 0;
  TColor coul_peinture = 0;
  TColor coul_peinture_prec = 0;
  TColor coul_fond = 0;
  bool ligne_en_cours = false;
  TPoint pt_depart, pt_courant;
  TPoint elastique_debut, elastique_fin;
  std::array<std::int32_t, 101> ellipse_x{}, ellipse_y{};  // indexed 1..100
  std::int32_t ellipse_nb = 0;
  // 64 bits: successive reflections may throw it past the 32-bit range.
  std::int64_t ellipse_ctrl_x = 0, ellipse_ctrl_y = 0;
  static constexpr std::int64_t kSansPointControle = -50;  // off the picture: no marker shows
  TBrushStyle style_brosse_sauve = bsSolid;
  TPenStyle style_crayon_sauve = psSolid;
  std::int32_t largeur_crayon_sauve = 0;
  std::int32_t centre_x = 0, centre_y = 0;
  std::int32_t souris_x = 0, souris_y = 0;
  bool choix_centre = false;
  TPenMode mode_crayon = pmBlack;
  bool menu_a_cacher = false;
  bool menu_descend = false;

  // ---- variables of the unit ----------------------------------------------
  TColor coul_aide = 0;
  TColor coul_menu = 0;
  std::int32_t indice_fic = -1;
  std::int32_t max_fic = -1;
  std::string nom_fic;
  std::string rep_prog;
  // Where saving starts while no directory is stored: rep_prog, or the
  // user's pictures folder for an installed program.
  std::string rep_images;
  std::int32_t top_menu = 0;
  std::int32_t nb_clones = 0;
  std::array<long double, 182> table_sin{}, table_cos{};
  bool stop_demande = false;
  // How many times vide_clavier dropped the waiting keys.
  std::uint32_t vidages_clavier = 0;
  TWaveformSamples echantillons;  // the tone being played
  TWaveFormatEx format_onde;
  std::int32_t freq_ton = 0;   // Hz
  std::int32_t duree_ton = 0;  // ms
  double amplitude_ton = 0;    // fraction of full scale

  // ---- start-up and window (app/) -----------------------------------------
  void FormCreate();
  void FormActivate();
  void FormResize();
  void ModifierLeftDansPanel();
  void nouvelle_image();
  void nouveau_fond(TColor couleur);
  void Panel_new_fond_noirClick();
  void Panel2Click();
  void sauve_crayon();
  void restaure_crayon();
  void quitter();
  void Panel_quitClick();
  void SpeedButton_exit_helpClick();

  // ---- numeric text (app/number_text.cpp) ---------------------------------
  // The petal count of Edit1: at least 1 unless the text is negative.
  std::int32_t nb_petales();
  // The integer of an edit's text after nettoie_nombre; throws EConvertError.
  std::int32_t entier_de(const Edit& edit);

  // ---- drawing engine (draw/) ----------------------------------------------
  void FormMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormMouseMove(TShiftState Shift, int X, int Y);
  void FormMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  void Panel3Click();
  // Draws the segment P1-P2 (or paints at P2) in every symmetric copy.
  // The settings are read first (see reglages_trace).
  void trace_symetrique(TPoint P1, TPoint P2, TPenMode mode, TColor couleur,
                        Repetitions repetitions = Repetitions::sautees);
  // The same with the stroke's settings already read: every copy is drawn
  // with these.
  void trace_symetrique(TPoint P1, TPoint P2, TPenMode mode, TColor couleur, const ReglagesTrace& reglages,
                        Repetitions repetitions = Repetitions::sautees);
  // Puts one copy on the picture, with the settings it carries.
  void trace_copie(CopieContexte& copie);
  // The settings a stroke reads from the tool panel, read and checked at
  // once; throws EConvertError for a text that is not an integer.
  ReglagesTrace reglages_trace(Reglages quoi);
  // The elliptical stroke's handlers.
  void _FormMouseDown_ellipse(TMouseButton Button, TShiftState Shift, int X, int Y);
  void _FormMouseMove_ellipse(TShiftState Shift, int X, int Y);
  void _FormMouseUp_ellipse(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Pen width, mode and colour, then MoveTo(x1, y1) and LineTo(x2, y2).
  void trace_segment(int x1, int y1, int x2, int y2, TPenMode mode, TColor couleur, int largeur);
  // The quarter-ellipse arc from P to R with corner Q, as 182 points: dots in
  // pmXor, a polyline in other modes, shaded dots when `trait` has a shadow.
  // The pen is trait.epaisseur wide. Nothing when Q = R.
  void trace_quart_ellipse(PointEllipse P, PointEllipse Q, PointEllipse R, TPenMode mode, TColor couleur,
                           const ReglagesTrace& trait);
  void place_point_controle();
  void avance_point_controle();

  // ---- colour generation and controls (colour/) ----------------------------
  // A random colour in the style of RadioGroup_coul_type.
  TColor coul_aleatoire();
  // Step k of n of the shade ramp of `base`, after the shadow boxes.
  TColor rampe_ombre(TColor base, int n, int k);
  void init_couleurs_perso();
  void RadioGroup_couleur_crayonClick();
  void RadioGroup_couleur_peintureClick();
  void Panel_crayonClick();
  void Panel_peintureClick();
  void Panel10Click();
  void Panel4Click();
  void Panel1MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  // ColorDialog1.Execute: the colour confirmed, which the dialog keeps as
  // its own, or nothing when cancelled.
  std::optional<TColor> ColorDialog1_Execute();

  // ---- random colouring of the whole picture (colour/random_colouring.cpp) --
  void coloriage_aleatoire();
  void Panel6Click();
  void Panel_stopClick();
  // Drops the keys typed during a long run.
  void vide_clavier();

  // ---- snapshot history (files/) -------------------------------------------
  void wb();
  void affiche_fic_precedent();
  void affiche_fic_suivant();
  void lire_bmp(const std::string& path);
  void montre_fic(int slot, const char* fleche);
  void Panel11Click();
  void Panel13Click();
  // Waits for the snapshot write in flight, if any, and settles the ring on
  // its outcome (a failure is reported here, on this thread).
  void attend_instantane();
  // The same, only if that write has already ended: never waits.
  void recueille_instantane();
  // Where the snapshot files live: rep_prog, or the user's data directory
  // when the program's directory is not writable; in either, a ring of its
  // own for each program running at the same time.
  std::string rep_instantanes;
  // Whether the user's data directory could be made: when it cannot, the
  // person is told once and the strokes go on without snapshots.
  enum class SnapshotFolder { not_made, ready, unavailable };
  SnapshotFolder dossier_instantanes = SnapshotFolder::not_made;
  bool prepare_dossier_instantanes();
  // This run's ring, taken at start when its directory exists, else at the
  // first snapshot or step: the one place where it is decided.
  enum class SnapshotRing { to_take, taken, none_free };
  SnapshotRing anneau = SnapshotRing::to_take;
  std::string rep_anneaux;  // the first ring; the others are inside it
  void prend_anneau(RingTaking how);

  // ---- the time-lapse (files/timelapse.cpp) ----------------------------------
  // Hands the picture on screen to the recording, on the snapshot writer's
  // thread: as the next frame, or as the first of a new recording.
  void record_frame(TimelapseFrame frame);
  // F3: asks where, then exports the recording with the picture last, on a
  // worker; progress and the outcome are shown without holding the window.
  void export_timelapse();
  // Waits for the export under way, then shows its outcome.
  void wait_for_export();
  // Where the recording lives (worked out once, at start).
  std::string rep_film;

  // ---- save and open, parameter file (files/) ---------------------------------
  // A file name, without directory, that names no file in Label_rep's
  // directory; says so when the generic name itself is free.
  std::string nom_unique(const std::string& name);
  void Panel7Click();
  void Panel5Click();
  // Draws the picture file at `path` over the picture as "Ouvrir" does once
  // its dialog is confirmed; also for a file named on the command line.
  // A refused file throws and leaves the picture as it was.
  void ouvre_image(const std::string& path);
  // korvel.prm in the data directory, worked out afresh at each use.
  std::string chemin_parametres();
  void sauve_params();
  void charge_params();

  // ---- music (sound/) --------------------------------------------------------
  void musique();
  void ton(std::int32_t f, std::int32_t d, double a);
  void joue_son();

  // ---- keyboard (ui/keyboard.cpp) -------------------------------------------
  void FormKeyDown(std::uint16_t& Key, TShiftState Shift);
  void commande_touche(std::uint16_t Key);
  void FormKeyPress(char32_t& Key);
  void ComboBox1Click();
  void change_epaisseur(int pas);
  void Edit1KeyPress(char32_t& Key);
  void Edit1KeyDown(std::uint16_t& Key, TShiftState Shift);

  // ---- guides (draw/guides.cpp) and the program's own settings (files/configuration.cpp)
  // Whether the guides show over the picture: F2 shows or hides them, and
  // the choice is kept in korvel.conf beside the parameter file.
  bool guides_visibles = false;
  void bascule_guides();
  // What the guides show now, or nothing while they are hidden. Never throws.
  std::optional<ParametresGuides> parametres_guides();
  std::string chemin_configuration();
  void charge_configuration();
  // Writes korvel.conf; a failure is told once, and the program goes on.
  void sauve_configuration();

  // ---- tool panel (ui/tool_panel.cpp) --------------------------------------
  void _ws();
  void Timer1Timer();
  void Timer2Timer();
  void Panel1MouseMove(TShiftState Shift, int X, int Y);
  void Panel12Click();
  void ajuste_mode_peinture();
  void RadioGroup_peindre_dessinerClick();
  void RadioGroup_peindre_dessinerEnter();
  void RadioGroup_type_traceClick();
  void RadioGroup_symetrieClick();
  void Edit6Change();
  void UpDown5Changing(bool& AllowChange);
  void CheckBox_ombre_1Click();
  void CheckBox_ombre_2Click();
  void CheckBox_epaisseurClick();

 private:
  void create_controls();
  void bind_handlers();
  void build_tables();
  // The elliptical stroke's XOR preview for the mouse at M with nb points
  // placed, and the marker of the control point.
  void apercu_ellipse(std::int32_t nb, PointEllipse M);
  void marque_point_controle();
  // Moves the control point's XOR marker to C.
  void deplace_point_controle(PointEllipse C);
  // The random colouring's two runs, every fill with these settings, and
  // its progress labels.
  void coloriage_en_ligne(const ReglagesTrace& reglages);
  void coloriage_en_grille(const ReglagesTrace& reglages);
  void affiche_progression(Label& label, const std::string& texte);

  Services m_services;
  RandomGenerator m_random;
  std::vector<Control*> m_controls;
  bool m_realigning = false;
  bool m_configuration_signalee = false;
  bool m_activated = false;
  // The texts and boxes the guides last read their numbers from, and those
  // numbers: every move asks for the guides, and the texts seldom change.
  struct NombresGuides {
    std::string lu;
    std::int32_t petales = 0, tours = 1;
    double facteur = 1.0;
  };
  NombresGuides m_nombres_guides;
  std::string m_lu_guides;  // kept for its memory

  // The ring as it was before the snapshot in flight: a write that fails
  // puts it back.
  struct RingBefore {
    std::int32_t indice_fic = -1, max_fic = -1;
    std::string nom_fic, label6, label9;
  };
  void applique_issue(const SnapshotOutcome& outcome);
  RingBefore m_ring_before;
  std::function<void()> on_snapshot_written();
  void end_export(const std::string& path, const std::optional<std::string>& error);
  bool m_recording_failure_shown = false;
  // Before the threads that use it.
  std::unique_ptr<Recording> m_recording;
  std::unique_ptr<TimelapseExport> m_export;
  // Last: destroyed first, waiting for the write in flight.
  std::unique_ptr<SnapshotWriter> m_snapshot_writer;
};

}  // namespace korvel
