 APPLICATION LOGIC COMPILER LISTING
 Source File: interlocking.ml2
 Program: HOLT_JN

 *** Source Text:
     1  /*
     2      HOLT JUNCTION  -  relay-equivalent interlocking, one point, two signals
     3  
     4         west                                                         east
     5                        S1 >                                 < S2
     6         C ---- T_C_APP ---+--- T_P1 ---+------ T_MAIN ------+--- T_A_APP --- A
     7                                      P1 `----- T_BRANCH ------------------- B
     8  
     9      S1 (eastbound, colour light, two heads) reads over P1 facing
    10          route 1A   P1 normal    to the main line, upper head clear, or
    11                                  the calling-on light in the lower head
    12                                  when the main line is occupied
    13          route 1B   P1 reverse   into the branch, lower head yellow only
    14      S2 (westbound, searchlight with a marker light) reads over P1 trailing
    15          route 2C   P1 normal    towards the west
    16  
    17      The diverging aspect of S1 is speed-timed: it shows only once the
    18      train on the approach has been measured at 40 km/h or less.
    19  
    20      Track relays and detection contacts are True when energised, a track
    21      circuit reads True when it is clear.  Panel buttons are True while
    22      pressed.
    23  */
    24  
    25  PROGRAM HOLT_JN;
    26  
    27  BOOLEAN BITS
    28      // point P1 may be moved
    29      P1_FREE, P1_CALL_N, P1_CALL_R,
    30      // routes set, in use by a train, being cancelled, released
    31      R1A_SET, R1B_SET, R2C_SET,
    32      S1_USED, S2_USED,
    33      S1_CANCEL, S2_CANCEL,
    34      S1_REL, S2_REL,
    35      // time locking, calling-on and point failure timers, given their
    36      // delays below
    37      S1_TL, S2_TL, S1_COA_T, P1_FAIL_T,
    38      // signal controls - HR clears a signal for its straight route,
    39      // DR for the diverging one
    40      S1_HR, S1_DR, S2_HR,
    41      // and S1's calling-on control
    42      S1_COR,
    43      // results of the approach speed measurement
    44      SPEED_OK, OVERSPEED;
    45  
    46  // Speed of the train on S1's approach in km/h, from the speed-timing
    47  // section.  Entered on the Force Bit page while simulating.
    48  NUMERIC VARIABLES
    49      APP_SPEED;
    50  
    51  TIMER BITS
    52      // approach locking - a route cancelled with a train on the approach
    53      // releases only after the time locking has run
    54      S1_TL : SET = 30 : SEC,
    55          CLEAR = 0 : MSEC;
    56      S2_TL : SET = 30 : SEC,
    57          CLEAR = 0 : MSEC;
    58      // a train must have come to a stand at S1 before it is called on
    59      S1_COA_T : SET = 45 : SEC,
    60          CLEAR = 0 : MSEC;
    61      // a point still driven after eight seconds has failed to go over
    62      P1_FAIL_T : SET = 8 : SEC,
    63          CLEAR = 0 : MSEC;
    64  
    65  // Cab signal codes fed into the track circuits beyond S1.  The coder
    66  // runs each group at its rate, the logic says which code is to run.
    67  CODED OUTPUTS
    68      TOGGLE CAB_MAIN ON 180 IF CAB_180_MAIN,
    69          IF CAB_120_MAIN;
    70      TOGGLE CAB_BRANCH ON 75 IF CAB_75_BRANCH;
    71  
    72  // ---------------------------------------------------------------------
    73  // Boards
    74  // ---------------------------------------------------------------------
    75  
    76  // Track relays and the line signals beyond the interlocking.
    77  BOARD: TRACKS
    78      FIXED
    79      ENABLE: 1
    80      TYPE: IN16
    81      INPUT:
    82          T_C_APP, T_P1, T_MAIN, T_BRANCH, T_A_APP,
    83          SPARE,
    84          NXT_A_CLR, NXT_C_CLR;
    85  
    86  // Signalman's panel, route buttons and the point switch.
    87  BOARD: PANEL
    88      ADJUSTABLE
    89      ENABLE: 1
    90      TYPE: NV.IN32
    91      NV.INPUT:
    92          RQ_1A, RQ_1B, RQ_2C,
    93          CAN_1, CAN_2,
    94          P1_SW_N, P1_SW_R;
    95  
    96  // Point machine P1: detection back, drive out.
    97  BOARD: P1_MACHINE
    98      FIXED
    99      ENABLE: 1
   100      TYPE: MIXIO
   101      INPUT: P1_NKR, P1_RKR;
   102      OUTPUT: P1_NWZ, P1_RWZ;
   103  
   104  // Panel indications.
   105  BOARD: PANEL_IND
   106      FIXED
   107      ENABLE: 1
   108      TYPE: NV.OUT32
   109      NV.OUTPUT:
   110          R1A_IND, R1B_IND, R2C_IND,
   111          P1_N_IND, P1_R_IND,
   112          S1_OFF_IND, S2_OFF_IND,
   113          TL_IND,
   114          P1_FAIL_ALM,
   115          SIG_ALM, OVERSPEED_ALM;
   116  
   117  // S1, colour light.  Upper head red, yellow, green for the main line,
   118  // lower head red and yellow for the branch and the calling-on light.
   119  // Each aspect has its light out contact, in the same order.  The lamps
   120  // are approach lit.
   121  BOARD: S1_LAMPS
   122      ADJUSTABLE
   123      ENABLE: 1
   124      TYPE: COLOR.LIGHT
   125      HEAD1 ADJUSTABLE
   126          ENABLE: 1;
   127          LAMP: S1_ULAMP;
   128          ASPECT: S1_UR, S1_UY, S1_UG;
   129          LAMP.OUT: S1_UR_LO, S1_UY_LO, S1_UG_LO;
   130      HEAD2 ADJUSTABLE
   131          ENABLE: 1;
   132          LAMP: S1_LLAMP;
   133          ASPECT: S1_LR, S1_LY, S1_LCO;
   134          LAMP.OUT: S1_LR_LO, S1_LY_LO, S1_LCO_LO;
   135      // signal lamp supply healthy, and the test switch in the location case
   136      INPUT: S1_PWR_OK, S1_TEST_SW;
   137  
   138  // S2, searchlight.  The mechanism shows red, yellow or green, the
   139  // marker light below it is lit while the signal has its lamp supply.
   140  BOARD: S2_LAMPS
   141      ADJUSTABLE
   142      ENABLE: 1
   143      TYPE: SEARCH.LIGHT
   144      HEAD1
   145          ENABLE: 1;
   146          LAMP: S2_LAMP;
   147          ASPECT: S2_R, S2_Y, S2_G;
   148          LAMP.OUT: S2_R_LO, S2_Y_LO, S2_G_LO;
   149      HEAD2
   150          ENABLE: 1;
   151          LAMP: S2_MLAMP;
   152          ASPECT: S2_MKR;
   153          LAMP.OUT: S2_MKR_LO;
   154      INPUT: S2_PWR_OK, S2_TEST_SW;
   155  
   156  // Train protection encoder at S1 and S2.  Each channel sends its
   157  // telegram while its control bit is up.  Channel 5 is not used here.
   158  BOARD: JN_ENCODER
   159      FIXED
   160      ENABLE: 1
   161      TYPE: ASES.ENCODER
   162      CHANNEL1:
   163          FIXED ENABLE: 1
   164          SEND IF ENC_S1_STOP,
   165      CHANNEL2:
   166          FIXED ENABLE: 1
   167          SEND IF ENC_S1_MAIN,
   168      CHANNEL3:
   169          FIXED ENABLE: 1
   170          SEND IF ENC_S1_DIV,
   171      CHANNEL4:
   172          ADJUSTABLE ENABLE: 1
   173          SEND IF ENC_S2_STOP,
   174      CHANNEL5:
   175          ADJUSTABLE ENABLE: 0
   176  
   177  // ---------------------------------------------------------------------
   178  // Interlocking
   179  // ---------------------------------------------------------------------
   180  LOGIC BEGIN
   181  
   182  // ---- Point P1 free: no route over it and the point track clear.
   183  ASSIGN ~R1A_SET * ~R1B_SET * ~R2C_SET * T_P1 TO P1_FREE;
   184  
   185  // ---- Route setting.
   186  // A route button sets its route when no opposing or conflicting route
   187  // is set and the point is free to be called, or lies right already.
   188  // The signal's cancel button wins while it is held: no route from that
   189  // signal sets, so holding both buttons cannot set, cancel and set again.
   190  // The route stays set until it is released.
   191  ASSIGN ((RQ_1A * ~CAN_1 * ~R1B_SET * ~R2C_SET * (P1_FREE + P1_NKR)) + R1A_SET)
   192         * ~S1_REL TO R1A_SET;
   193  ASSIGN ((RQ_1B * ~CAN_1 * ~R1A_SET * ~R2C_SET * (P1_FREE + P1_RKR)) + R1B_SET)
   194         * ~S1_REL TO R1B_SET;
   195  ASSIGN ((RQ_2C * ~CAN_2 * ~R1A_SET * ~R1B_SET * (P1_FREE + P1_NKR)) + R2C_SET)
   196         * ~S2_REL TO R2C_SET;
   197  
   198  // ---- Route in use.
   199  // S1's routes are in use once the train has reached the point track.
   200  // S2's once it has passed S2 onto the main line.
   201  ASSIGN (R1A_SET + R1B_SET) * (~T_P1 + S1_USED) TO S1_USED;
   202  ASSIGN R2C_SET * (~T_MAIN + S2_USED) TO S2_USED;
   203  
   204  // ---- Cancelling, approach locking and release.
   205  // The cancel button puts the signal to stop at once.  With its approach
   206  // clear the route releases straight away, with a train on it only after
   207  // the time locking has run.  A route in use releases behind the train
   208  // as the point track clears.
   209  ASSIGN (CAN_1 + S1_CANCEL) * (R1A_SET + R1B_SET) TO S1_CANCEL;
   210  ASSIGN S1_CANCEL * ~T_C_APP TO S1_TL;
   211  ASSIGN (S1_CANCEL * (T_C_APP + S1_TL)) + (S1_USED * T_P1) TO S1_REL;
   212  
   213  ASSIGN (CAN_2 + S2_CANCEL) * R2C_SET TO S2_CANCEL;
   214  ASSIGN S2_CANCEL * ~T_A_APP TO S2_TL;
   215  ASSIGN (S2_CANCEL * (T_A_APP + S2_TL)) + (S2_USED * T_MAIN * T_P1) TO S2_REL;
   216  
   217  // ---- Point P1.
   218  // Routes call the point, the point switch may move it while it is
   219  // free.  The machine is driven until the detection comes in, never with
   220  // a train on the point track.
   221  ASSIGN R1A_SET + R2C_SET + (P1_SW_N * P1_FREE) TO P1_CALL_N;
   222  ASSIGN R1B_SET + (P1_SW_R * P1_FREE) TO P1_CALL_R;
   223  ASSIGN P1_CALL_N * ~P1_CALL_R * ~P1_NKR * T_P1 TO P1_NWZ;
   224  ASSIGN P1_CALL_R * ~P1_CALL_N * ~P1_RKR * T_P1 TO P1_RWZ;
   225  
   226  // The drive is not cut off on a failure: the point may still go over
   227  // once the obstruction is cleared.
   228  ASSIGN P1_NWZ + P1_RWZ TO P1_FAIL_T;
   229  ASSIGN P1_FAIL_T TO P1_FAIL_ALM;
   230  
   231  // ---- Signal S1.
   232  // Clears for a set route with the point detected, the route's track
   233  // circuits clear and the signal neither being cancelled nor passed.
   234  ASSIGN R1A_SET * P1_NKR * ~P1_RKR * T_P1 * T_MAIN * ~S1_CANCEL * ~S1_USED
   235      TO S1_HR;
   236  ASSIGN R1B_SET * P1_RKR * ~P1_NKR * T_P1 * T_BRANCH * ~S1_CANCEL * ~S1_USED
   237         * SPEED_OK TO S1_DR;
   238  
   239  // Upper head - green when the line signal beyond is clear, yellow when
   240  // it is not.  A green lamp out shows yellow in its place.
   241  ASSIGN ~S1_HR TO S1_UR;
   242  ASSIGN S1_HR * (~NXT_A_CLR + S1_UG_LO) TO S1_UY;
   243  ASSIGN S1_HR * NXT_A_CLR * ~S1_UG_LO TO S1_UG;
   244  
   245  // Calling on.  Route 1A set into an occupied main line calls the train
   246  // forward once it has stood on the approach for the calling-on time.
   247  ASSIGN R1A_SET * ~T_MAIN * ~T_C_APP * ~S1_CANCEL TO S1_COA_T;
   248  ASSIGN R1A_SET * P1_NKR * ~P1_RKR * T_P1 * ~T_MAIN * ~S1_CANCEL * ~S1_USED
   249         * S1_COA_T TO S1_COR;
   250  
   251  // Lower head - yellow for the branch, calling-on light.
   252  ASSIGN ~S1_DR * ~S1_COR TO S1_LR;
   253  ASSIGN S1_DR TO S1_LY;
   254  ASSIGN S1_COR TO S1_LCO;
   255  
   256  // Approach lighting.
   257  ASSIGN ~T_C_APP + R1A_SET + R1B_SET + S1_TEST_SW TO S1_ULAMP, S1_LLAMP;
   258  
   259  // ---- Signal S2.
   260  ASSIGN R2C_SET * P1_NKR * ~P1_RKR * T_MAIN * T_P1 * T_C_APP * ~S2_CANCEL
   261         * ~S2_USED TO S2_HR;
   262  ASSIGN ~S2_HR TO S2_R;
   263  ASSIGN S2_HR * ~NXT_C_CLR TO S2_Y;
   264  ASSIGN S2_HR * NXT_C_CLR TO S2_G;
   265  ASSIGN ~T_A_APP + R2C_SET + S2_TEST_SW TO S2_LAMP;
   266  // the marker is lit whenever the signal has its lamp supply
   267  ASSIGN S2_PWR_OK TO S2_MKR, S2_MLAMP;
   268  
   269  // ---- Cab signal codes.
   270  ASSIGN S1_HR * NXT_A_CLR TO CAB_180_MAIN;
   271  ASSIGN S1_HR * ~NXT_A_CLR TO CAB_120_MAIN;
   272  ASSIGN S1_DR TO CAB_75_BRANCH;
   273  
   274  // ---- Encoder telegrams.
   275  ASSIGN ~S1_HR * ~S1_DR * ~S1_COR TO ENC_S1_STOP;
   276  ASSIGN S1_HR TO ENC_S1_MAIN;
   277  ASSIGN S1_DR TO ENC_S1_DIV;
   278  ASSIGN ~S2_HR TO ENC_S2_STOP;
   279  
   280  // ---- Panel indications.
   281  ASSIGN R1A_SET TO R1A_IND;
   282  ASSIGN R1B_SET TO R1B_IND;
   283  ASSIGN R2C_SET TO R2C_IND;
   284  ASSIGN P1_NKR * ~P1_RKR TO P1_N_IND;
   285  ASSIGN P1_RKR * ~P1_NKR TO P1_R_IND;
   286  ASSIGN S1_HR + S1_DR + S1_COR TO S1_OFF_IND;
   287  ASSIGN S2_HR TO S2_OFF_IND;
   288  // time locking running - a route cancelled and not yet released
   289  ASSIGN (S1_CANCEL * ~S1_REL) + (S2_CANCEL * ~S2_REL) TO TL_IND;
   290  
   291  // Any light out, or a signal without its lamp supply.
   292  ASSIGN S1_UR_LO + S1_UY_LO + S1_UG_LO + S1_LR_LO + S1_LY_LO + S1_LCO_LO +
   293         S2_R_LO + S2_Y_LO + S2_G_LO + S2_MKR_LO +
   294         ~S1_PWR_OK + ~S2_PWR_OK TO SIG_ALM;
   295  
   296  // A train measured too fast for the branch while it is on the approach.
   297  ASSIGN OVERSPEED * ~T_C_APP TO OVERSPEED_ALM;
   298  
   299  END LOGIC
   300  
   301  // ---------------------------------------------------------------------
   302  // Speed timing.  Solved each time a new speed is measured.  The limit
   303  // through the turnout is 40 km/h.
   304  // ---------------------------------------------------------------------
   305  NUMERIC BEGIN
   306      BLOCK 1
   307      TRIGGERS ON APP_SPEED AND
   308      ASSIGN APP_SPEED<41 TO SPEED_OK;
   309      ASSIGN APP_SPEED>40 TO OVERSPEED;
   310      END BLOCK
   311  END NUMERIC
   312  
   313  END PROGRAM

 *** Application Image Summary:
    Source Lines:                    313
    I/O Boards:                        7
    Application Image CRC:          59A0
    Application Image Checksum:     B76E

 *** I/O Board Address Jumper (Switch) Settings:
    Board             Type              Address   Switch  1   2   3   4   5   6   7   8
    TRACKS            IN16                    1           ON  OFF OFF OFF OFF OFF OFF OFF
    PANEL             NV.IN32                 2           OFF ON  OFF OFF OFF OFF OFF OFF
    P1_MACHINE        MIXIO                   3           ON  ON  OFF OFF OFF OFF OFF OFF
    PANEL_IND         NV.OUT32                4           OFF OFF ON  OFF OFF OFF OFF OFF
    S1_LAMPS          COLOR.LIGHT             5           ON  OFF ON  OFF OFF OFF OFF OFF
    S2_LAMPS          SEARCH.LIGHT            6           OFF ON  ON  OFF OFF OFF OFF OFF
    JN_ENCODER        ASES.ENCODER            7           ON  ON  ON  OFF OFF OFF OFF OFF
 *** End Of Listing
