#pragma once
// The ids of every user-visible text. Text id n is key 1000 + n in "1000.txt" (German), 2000 + n in
// "2000.txt" (English) and 3000 + n in "3000.txt" (French). Code names a text by these constants,
// never by its number; lists of texts (positions, rotations, qualities) are reached with textIdAt.

namespace sartovin {

enum class TextId : int {
    // Main window
    Output = 2,
    OutputDevice = 3,
    Configuration = 4,
    Language = 5,
    Medium = 6,
    PageGeneral = 7,
    PageOptions = 8,
    PageLayer = 9,
    Cut = 10,
    Close = 11,
    Info = 12,
    PageCutter = 13,
    Preview = 14,
    Engrave = 15,

    // Layout page
    MediumWidth = 30,
    MediumLength = 31,
    Format = 32,
    JobWidth = 33,
    JobLength = 34,
    WidthPercent = 35,
    LengthPercent = 36,
    Reset = 37,
    FitToMediumWidth = 38,
    Proportional = 39,
    Position = 40,
    PositionHorizontal = 41,
    PositionVertical = 42,
    Rotation = 43,
    Mirror = 44,
    Copies = 45,
    VerticalCopies = 46,
    TotalCopies = 47,
    CopyDistances = 48,
    SameDistances = 49,
    DistributeAutomatically = 50,
    Invert = 51,

    // Options page
    CuttingOptions = 60,
    WeedingFrame = 61,  ///< "Grid": also the name of the frame entry on the layers page
    FrameDistance = 62,
    Overcut = 63,
    OvercutLength = 64,
    Quality = 65,
    UsePlotterSettings = 66,
    Speed = 67,
    Force = 68,
    Repetitions = 69,
    Tool = 70,
    CuttingParameterFor = 71,
    Offset = 72,
    EndPosition = 73,
    EndAtStart = 74,
    EndBehindJob = 75,
    EndLeftOfJob = 76,
    FeedAfterPlotting = 77,
    Save = 78,

    // Layers page
    LayerSelection = 80,
    SelectColour = 81,
    AllObjects = 82,
    OnlyCorelMarked = 83,
    OnlyIllustratorMarked = 84,
    LayerRoot = 85,
    ShrinkToSelection = 86,
    PauseBetweenGroups = 87,
    IndividualParameters = 88,
    FillColoursRoot = 89,

    // Small dialogs
    PortConfigurationTitle = 90,
    PortGroup = 91,
    CancelButton = 92,
    NewMediumTitle = 93,
    NewMediumPrompt = 94,
    OkButton = 95,

    // Lists: positions 100..103 (the hobby edition adds 104..108), rotations 110..113, qualities 120..124
    PositionFirst = 100,
    RotationFirst = 110,
    QualityFirst = 120,

    // Options page: test cut, display tool, hobby and laser controls
    TestCutSideBySide = 125,
    TestCut = 126,
    StartVlcd = 127,
    BladeSetting = 128,
    LaserVector = 130,
    LaserRaster = 131,
    LaserSmoothEdges = 132,
    LaserCutOut = 133,
    LaserClean = 134,
    LaserRasterSwitch = 135,
    LaserDetails = 136,
    LaserPower = 137,
    LaserSpeed = 138,
    LaserLpi = 139,
    LaserResolution = 140,
    UseRegistrationMarks = 150,

    // Tooltips
    TipPortConfiguration = 200,
    TipNewMedium = 201,
    TipDeleteMedium = 202,
    TipPlotter = 203,
    TipMedium = 204,
    TipLanguage = 205,
    TipMediumWidth = 206,
    TipMediumLength = 207,
    TipFormat = 208,
    TipJobWidth = 209,
    TipJobLength = 210,
    TipWidthPercent = 211,
    TipLengthPercent = 212,
    TipReset = 213,
    TipFitToMediumWidth = 214,
    TipProportional = 215,
    TipPosition = 216,
    TipRotation = 217,
    TipCut = 218,
    TipClose = 219,
    TipInfo = 220,
    TipMirror = 221,
    TipCopies = 222,
    TipVerticalCopies = 223,
    TipDistanceHorizontal = 224,
    TipDistanceVertical = 225,
    TipSameDistances = 226,
    TipDistributeAutomatically = 227,
    TipInvert = 228,
    TipPositionHorizontal = 229,
    TipPositionVertical = 230,
    TipWeedingFrame = 231,
    TipFrameDistance = 232,
    TipOvercut = 233,
    TipOvercutLength = 234,
    TipQuality = 235,
    TipUsePlotterSettings = 236,
    TipSpeed = 237,
    TipForce = 238,
    TipRepetitions = 239,
    TipTool = 240,
    TipOffset = 241,
    TipSaveFor = 242,  ///< "Save the cutting configuration for", followed by the medium's name
    TipTestCut = 243,
    TipStartVlcd = 244,
    TipSendSettings = 245,
    TipReadMediumSize = 246,
    TipReadSettings = 247,
    TipEndAtStart = 248,
    TipEndBehindJob = 249,
    TipEndLeftOfJob = 250,
    TipFeedAfterPlotting = 251,
    TipTestCutSideBySide = 252,
    TipSaveParameters = 253,
    TipBladeSetting = 254,
    TipByLayers = 255,
    TipByColours = 256,
    TipAllObjects = 257,
    TipOnlySelected = 258,
    TipShrinkToSelection = 259,
    TipPauseBetweenGroups = 260,
    TipIndividualParameters = 261,
    TipUseRegistrationMarks = 262,
    TipLayerTree = 263,
    TipCutterForce = 264,
    TipCutterOffset = 265,
    TipCutterBladeInit = 266,

    // Messages
    NoCorelDraw = 301,
    TwoCorelDraws = 302,
    NoObjects = 303,
    AskCancelJob = 304,
    CannotOpenConfig = 305,
    CannotCreateView = 306,
    NoPortSelected = 307,
    CannotOpenPort = 308,
    CannotWriteMedia = 309,
    AskDeleteMedium = 310,
    CannotReadMedia = 311,
    CannotReadTools = 312,
    AskSaveMedium = 313,
    MediumNameExists = 314,
    EnterMediumName = 315,
    StopVlcdFirst = 316,
    SerialPortPrinterHint = 317,
    NeedAdministrator = 318,
    PrinterUsbHint = 319,
    CommunicationError = 320,
    UpdatingData = 321,
    UpdatingPortData = 322,
    DifferentModel = 323,
    MarksLengthRange = 324,
    MarksThicknessRange = 325,
    MarksMarginRange = 326,
    MarksSegmentRange = 327,
    CopyCountChanged = 328,
    NoIllustrator = 329,
    ChooseCutter = 331,
    NoInkscape = 341,
    NoSvgFile = 343,
    InkscapeHint = 344,
    Starting = 345,
    LanguageNextStart = 346,
    NextGroupReady = 364,
    SpoolerWriteFailed = 365,
    AskSaveParameters = 366,
    CannotWriteMediaNotSaved = 367,
    IndividualParametersOff = 368,
    LaserDefinitionMissing = 374,
    LaserDefinitionNotWritable = 375,
    LaserDriverSettingsOpen = 376,
    LaserDrawing = 378,
    LaserRasterRows = 379,
    SendingData = 380,
    CorelMacroMissing = 381,
    Portrait = 385,
    Landscape = 386,
    UserDefinedFormat = 387,
    DrawingTooLargeForMarks = 388,
    NoUsbPort = 389,
    MoveBladeToFirstMark = 390,
    ReadingMarks = 392,
    CorelMacroStarterMissing = 393,  ///< %s: the settings file where "CorelMacroStarter" goes
    DrawingReducedToMedium = 396,    ///< %s × %s mm as drawn, %s × %s mm as reduced
    JobLeavesMedium = 397,           ///< Yes/No: cut a job that extends beyond the medium

    // Cutter page
    CutterSettings = 400,
    CutterModel = 401,
    CutterFirmware = 402,
    CutterForce = 403,
    CutterSpeed = 404,
    CutterOffset = 405,
    CutterQuality = 406,
    MediumWeight = 407,
    MediumWeightLight = 408,
    MediumWeightHeavy = 409,
    Unroll = 410,
    SwitchOn = 411,
    SwitchOff = 412,
    Smoothing = 413,
    MediumType = 414,
    MediumTypeRoll = 415,
    MediumTypeSheet = 416,
    MediumTypeEdge = 417,
    BladeInitialisation = 418,

    // Registration marks window
    MarksSettingsTitle = 439,

    // Display tool
    DisplayToolRunning = 441,  ///< the tool runs and its window cannot be brought to the front

    // Settings that were not saved, an unusable catalog, the print queue's outcome, progress
    SettingsNotSaved = 450,  ///< %s: the settings file
    CatalogUnusable = 451,   ///< %s: a plotter catalog that names no plotter
    QueueJobFailed = 452,    ///< %s: the print queue (what the spooler says follows on a line of its own)
    QueueJobUnknown = 453,   ///< %s: the print queue that did not answer
    WaitingForQueue = 454,   ///< %s: the print queue
    CalculatingPlotData = 455,
    PrintQueueNamed = 456,  ///< %s: the print queue, named below a message about it
    DeviceNamed = 457,      ///< %s: the device file, named below a message about it
    // Laser engraver
    LaserDefinitionNoResolution = 470,
    EngraverSettingsTitle = 471,
    EngraverResolution = 472,
    EngraverPageWidth = 473,
    EngraverPageHeight = 474,
    LaserCannotDraw = 475,

    // Inkscape hint
    InkscapeHintTitle = 480,
    InkscapeHintHide = 481,
    InkscapeHintOk = 482,

    // SVG import without Inkscape
    SvgTextNeedsInkscape = 490,

    // Outcome of a cut, connections found, start-up
    CutSentBytes = 491,    ///< %s bytes, %s the port
    CutNothingSent = 492,  ///< %s the port
    PortKindSerial = 493,
    PortKindUsbCutter = 494,
    PortKindQueue = 495,
    NoCutterFound = 496,
    CutterNotAnswering = 497,  ///< %s the port
    ChooseDrawing = 498,
    AlreadyOpenRaised = 466,  ///< another run holds a job; its window was brought to the front
    AlreadyOpen = 467,        ///< the same, its window could not be brought to the front
    AboutText = 468,          ///< %s: the version
    DrawingTooLarge = 469,    ///< %s: the file, its size in MB, the largest size in MB
    OnlyInkscapeMarked = 476,
};

/// The id `offset` places after `first`, for the texts that form a list (positions, rotations,
/// qualities, the end positions).
constexpr TextId textIdAt(TextId first, int offset) {
    return static_cast<TextId>(static_cast<int>(first) + offset);
}

/// The number of a text id, for the text files' keys and for messages that name it.
constexpr int textNumber(TextId id) { return static_cast<int>(id); }

}  // namespace sartovin
