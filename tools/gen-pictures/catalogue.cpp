// Every picture file the game loads, with the builder that draws it. docs/pictures.md
// describes the same table for the screens.
#include "pictures.h"

namespace gen_pictures {

Picture BuildChecker(int number);
Picture BuildDice(bool second);
Picture BuildSideMarkers();
Picture BuildDestinationMarker();
Picture BuildDraughtsBoard();
Picture BuildStoneBoard();
Picture BuildHexBoard();
Picture BuildDiceBoard();
Picture BuildSidePanel();
Picture BuildNamePlate();
Picture BuildLevelDisplay();
Picture BuildKindDisplay();
Picture BuildDemoTitle();
Picture BuildDemoHint();
Picture BuildEndBanner();
Picture BuildPanelButton(int index);
Picture BuildTopButton(int index);
Picture BuildGrip();
Picture BuildScrollArrow(bool up);
Picture BuildScrollThumb();
Picture BuildDialogButton(const std::string& label);
Picture BuildDialogBackground(int w, int h, unsigned seed);
Picture BuildTitle(const std::string& text);
Picture BuildPlayersButton();
Picture BuildCheckBox();
Picture BuildRadio();
Picture BuildVolumeSlider();
Picture BuildList(const std::vector<std::string>& labels);
Picture BuildKindList();
Picture BuildLevelList();
Picture BuildTextField();
Picture BuildEndPicture();
Picture BuildPassNotice();
Picture BuildIntro();

std::vector<PictureFile> Catalogue() {
  std::vector<PictureFile> files;
  auto add = [&](std::string name, std::function<Picture()> build) { files.push_back({std::move(name), std::move(build)}); };

  add("i1.clp", BuildIntro);

  // Buttons, controls and decorations.
  for (int i : {0, 1, 6, 14, 21}) add("but" + std::to_string(i) + ".clp", [i] { return BuildPanelButton(i); });
  for (int i : {3, 4, 17, 23}) add("but" + std::to_string(i) + ".clp", [i] { return BuildTopButton(i); });
  add("but2.clp", [] { return BuildDialogButton("ОК"); });
  add("but5.clp", [] { return BuildDialogButton("Отмена"); });
  add("but7.clp", [] { return BuildDialogButton("Играть"); });
  add("but8.clp", [] { return BuildScrollArrow(true); });
  add("but9.clp", [] { return BuildScrollArrow(false); });
  add("but10.clp", BuildCheckBox);
  add("but11.clp", BuildRadio);
  add("but12.clp", BuildVolumeSlider);
  add("but13.clp", BuildKindList);
  add("but15.clp", BuildScrollThumb);
  add("but16.clp", BuildGrip);
  add("but18.clp", BuildLevelList);
  add("but19.clp", BuildTextField);
  add("but20.clp", [] { return BuildList({"Против компьютера", "Два игрока"}); });
  add("but22.clp", [] { return BuildList({"Начинает первый игрок", "Начинает второй игрок"}); });
  add("but24.clp", BuildEndPicture);
  add("but25.clp", BuildPassNotice);

  // Backgrounds, displays, dice, banners.
  add("bg0.clp", [] { return BuildDialogBackground(560, 560, 500); });
  add("bg1.clp", BuildNamePlate);
  add("bg2.clp", BuildDemoHint);
  add("bg3.clp", BuildDemoTitle);
  add("bg4.clp", BuildLevelDisplay);
  add("bg5.clp", BuildKindDisplay);
  add("bg6.clp", [] { return BuildDice(false); });
  add("bg7.clp", [] { return BuildDice(true); });
  add("bg8.clp", [] { return BuildDialogBackground(440, 400, 508); });
  add("bg9.clp", BuildEndBanner);
  add("bg10.clp", BuildSideMarkers);
  add("bg11.clp", [] { return BuildDialogBackground(440, 440, 511); });
  add("bg12.clp", [] { return BuildDialogBackground(420, 300, 512); });

  // Backdrops and dialog pieces.
  add("jp0.clp", [] { return BuildTitle("Правила игр"); });
  add("jp1.clp", [] { return BuildTitle("Настройки"); });
  add("jp2.clp", BuildDraughtsBoard);
  add("jp3.clp", [] { return BuildTitle("Выбор игры"); });
  add("jp4.clp", BuildStoneBoard);
  add("jp5.clp", [] { return BuildTitle("Игроки"); });
  add("jp6.clp", [] { return BuildTitle("Конец игры"); });
  add("jp7.clp", [] { return BuildTitle("Внимание"); });
  add("jp8.clp", [] { return BuildTitle("Выход"); });
  add("jp9.clp", BuildSidePanel);
  add("jp10.clp", BuildDestinationMarker);
  add("jp11.clp", BuildPlayersButton);
  add("jp12.clp", BuildHexBoard);
  add("jp13.clp", BuildDiceBoard);

  for (int i = 1; i <= 11; ++i) add("checker" + std::to_string(i) + ".clp", [i] { return BuildChecker(i); });
  return files;
}

}  // namespace gen_pictures
