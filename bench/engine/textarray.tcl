# textarray: a list of texts read and written with variable indexes.
proc main {} {
    set t [lrepeat 100 ""]
    for {set i 0} {$i < 100} {set i [expr {$i + 1}]} {
        lset t $i "Wort$i"
    }
    set n 0
    for {set k 0} {$k < 2000} {set k [expr {$k + 1}]} {
        for {set i 0} {$i < 100} {set i [expr {$i + 1}]} {
            set w [lindex $t $i]
            set n [expr {$n + ([string compare $w "Wort5"] < 0)}]
            lset t $i $w
        }
    }
    puts $n
}
main
